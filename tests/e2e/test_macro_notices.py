"""Macro-enabled templates that Office will not run, or that others could change: a
notice each, on the debug output and in the silent run's event, and the exit code as
without them."""
import os
import re
from unittest import mock

from e2elib.case import DorvaneTestCase
from e2elib.fixtures import StandInWord
from e2elib.registry import Registry
from test_event_log import events

USER = r"HKCU\Software\Microsoft\Office\16.0\{}\Security\Trusted Locations"
POLICY = r"HKCU\Software\Policies\Microsoft\Office\16.0\{}\Security\Trusted Locations"
MARK = "[ZoneTransfer]\r\nZoneId=3\r\nHostUrl=https://example.com/Memo.dotm\r\n"
# Administrators and SYSTEM may change the folder, users only read it; or Everyone may.
LOCKED = "D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)"
OPEN = "D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;WD)"
RIGHTS = "can be changed by Everyone, who may write the folder Templates: its macros run"


class MacroNoticeTests(DorvaneTestCase):
    def probe(self, *args):
        code, out = self.prefix.run(self.tools.winprobe, *args)
        self.assertEqual(code, 0, out)

    def test_each_case_says_its_notice_and_keeps_the_exit_code(self):
        reg = Registry(self.prefix)
        StandInWord(self.prefix, self.tools.winword_of[16]).install()
        self.office("POWERPNT")
        for app in ("Word", "PowerPoint"):
            for key in (USER, POLICY):
                self.addCleanup(reg.delete, key.format(app))
        templates = self.app.winpath("Templates")
        self.app.write("Templates/Memo.dotm", b"memo")
        self.app.write("Templates/Sub/Memo.dotm", b"memo")
        self.app.write("Templates/Sub/Deck.potm", b"deck")
        self.app.write_config("Memo", template="Memo.dotm")
        self.app.write_config("Broken", template="Missing.dotx")
        mark = "Memo: Templates\\Memo.dotm carries the mark of the web (Internet zone): " \
               "outside a trusted location Office blocks its macros; unblock it on the share"
        trust = "Memo: Templates\\Memo.dotm is not in a trusted location of Word, which will " \
                "not run its macros: "
        here = self.profile.templates_win
        # (what to set up, command line, exit code, the notice lines' starts, event)
        cases = (
            ("mark", "/install Memo", 0, [mark], ("Warning", 1003)),
            ("", "/install Memo", 0, [], None),
            ("open", "/install Memo", 0, ["Memo: Templates\\Memo.dotm " + RIGHTS],
             ("Warning", 1003)),
            ("locked", "/install Memo", 0, [], None),
            ("disabled", "/install Memo", 0,
             [trust + "a policy switches Word's trusted locations off (AllLocationsDisabled)"],
             ("Warning", 1003)),
            ("here", "/install Memo", 0, [], None),
            ("elsewhere", "/install Memo", 0,
             [trust + f'none of Word\'s trusted locations covers "{here}"'], ("Warning", 1003)),
            # Word's default trusts no subfolder; PowerPoint's does: Sub\Deck.potm says nothing.
            ("", "/copyall", 0,
             ['/copyall: Templates\\Sub\\Memo.dotm is not in a trusted location of Word, which '
              f'will not run its macros: it lies in the subfolder "{here}\\Sub", and Word\'s '
              'trusted location "%APPDATA%\\Microsoft\\Templates" does not allow subfolders'],
             ("Warning", 1003)),
            ("mark open off", "/install Memo", 0, [], None),
            ("mark", "/installall", 1, [mark], ("Warning", 1001)),
        )
        for setup, tail, code, notices, event in cases:
            with self.subTest(setup=setup, tail=tail):
                self.profile.reset()
                self.app.write("Dorvane.ini", "[Office]\r\nMacroChecks=0\r\n" if "off" in setup
                               else "")
                # Wine keeps a named stream as a file beside its own.
                for name in ("Memo.dotm", "Memo.dotm:Zone.Identifier"):
                    if os.path.exists(self.app.path("Templates", name)):
                        os.remove(self.app.path("Templates", name))
                self.probe("write", self.app.winpath("Templates", "Memo.dotm"), "memo")
                if "mark" in setup:
                    self.probe("write", self.app.winpath("Templates", "Memo.dotm") +
                               ":Zone.Identifier", MARK)
                self.probe("setdacl", templates, OPEN if "open" in setup else LOCKED)
                for app in ("Word", "PowerPoint"):
                    reg.delete(USER.format(app))
                    reg.delete(POLICY.format(app))
                if setup == "disabled":
                    reg.set(POLICY.format("Word"), "AllLocationsDisabled", "1", "REG_DWORD")
                if setup in ("here", "elsewhere"):
                    path = r"%APPDATA%\microsoft\TEMPLATES" + "\\" if setup == "here" \
                        else r"C:\Elsewhere"
                    reg.set(USER.format("Word") + r"\Location0", "Path", path, "REG_EXPAND_SZ")
                with mock.patch.dict(os.environ, {"DORVANE_WINEDEBUG": "-all,+eventlog,+advapi"}):
                    run = self.run_dorvane(tail)
                self.assertEqual(run.exit_code, code, run.lines)
                self.assertFalse([l for l in run.lines if "Dorvane.ini:" in l], run.lines)
                said = [l.lstrip("\t") for l in run.lines if "Templates\\" in l and (
                    "trusted location" in l or "mark of the web" in l or "changed by" in l)]
                self.assertEqual(len(said), len(notices), run.lines)
                for line, start in zip(said, notices):
                    self.assertTrue(line.startswith(start), line)
                found = events(run.output)
                self.assertEqual(len(found), 0 if event is None else 1, run.output)
                if event:
                    self.assertEqual(found[0][0], event[0])
                    self.assertEqual(re.findall(r"ReportEventW \(\w+,0x\w+,0x\w+,0x(\w+)",
                                                run.output), [f"{event[1]:08x}"])
