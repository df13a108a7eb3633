"""Each silent run that did not fully succeed leaves one event in the Application log,
source Dorvane, as Wine shows it: ReportEventW writes the text to its "eventlog" debug
channel, at err for an Error, warn for a Warning and trace for an Information event."""
import os
import re
from unittest import mock

from e2elib.case import DorvaneTestCase
from e2elib.registry import Registry

SOURCE_KEY = r"HKLM\SYSTEM\CurrentControlSet\Services\EventLog\Application\Dorvane"
LEVELS = {"err": "Error", "warn": "Warning", "trace": "Information"}


def events(output):
    """[(level, text)], one per ReportEventW call. Wine shows a long text's start only."""
    found = []
    for line in output.splitlines():
        m = re.search(r'(err|warn|trace):eventlog:ReportEventW L"(.*)"(?:\.\.\.)?$', line)
        if m:
            found.append((LEVELS[m.group(1)], m.group(2).encode().decode("unicode_escape")))
    return found


class EventLogTests(DorvaneTestCase):
    def run_logged(self, tail):
        with mock.patch.dict(os.environ, {"DORVANE_WINEDEBUG": "-all,+eventlog"}):
            run = self.run_dorvane(tail)
        return run, events(run.output)

    def test_one_event_per_run_that_did_not_fully_succeed(self):
        self.app.write("Templates/Letter.dotx", b"letter")
        self.app.write_config("Letter", template="Letter.dotx")
        self.app.write_config("Broken", template="Missing.dotx")
        missing = 'InstallConfig: Broken: missing template "' + \
            self.app.winpath("Templates", "Missing.dotx") + '"'
        warning = ('Dorvane "/installall" ended with exit code 1: the action ran and a step '
                   'failed.\r\nInstalled: 0 files. Unchanged: 1 file. Removed: 0 files. Not for '
                   'this user: 0 configurations.\r\nFailed steps:\r\n' + missing + '\r\n')
        # Dorvane.ini, the command line, Word, its exit code, then the events it leaves:
        # (level, what the text holds).
        cases = (
            ("", "/installall", True, 1, [("Warning", "Installed: 1 file.")]),
            ("", "/installall", True, 1, [("Warning", warning)]),
            ("", "/install Letter", True, 0, []),
            ("[EventLog]\r\nSuccess=1\r\n", "/install Letter", True, 0,
             [("Information", "Unchanged: 1 file.")]),
            ("[EventLog]\r\nEnabled=0\r\nSuccess=1\r\n", "/installall", True, 1, []),
            ("", "/copy", True, 2, [("Error", "exit code 2")]),
            ("", "/installall", False, 3, [("Error", "Word was not found")]),
        )
        for ini, tail, word, code, expected in cases:
            with self.subTest(ini=ini, tail=tail, word=word):
                self.app.write("Dorvane.ini", ini)
                self.word.install() if word else self.word.remove()
                run, found = self.run_logged(tail)
                self.assertEqual(run.exit_code, code, run.lines)
                self.assertEqual([level for level, _ in found], [lv for lv, _ in expected],
                                 run.output)
                for (_, text), (_, part) in zip(found, expected):
                    text = re.sub(r"^(Dorvane \"[^\"]*\") run by [^ ]+", r"\1", text)  # below
                    # The whole text, or the start of it that Wine shows.
                    self.assertTrue(part in text or part.startswith(text), text)
                if warning in [part for _, part in expected]:
                    self.assertGreater(len(found[0][1]), warning.index(missing) + 20)
                    self.assertIn("\t" + missing, run.lines)

    def test_a_percent_sign_before_a_digit_is_not_taken_for_an_insertion(self):
        """Event Viewer reads "%1" in an event's text as a string to insert; the debug
        line keeps the name as it is."""
        self.app.write_config("%1%%2", template="Missing.dotx")
        run, found = self.run_logged("/installall")
        self.assertEqual(len(found), 1, run.output)
        self.assertIn("InstallConfig: % 1%% 2: ", found[0][1])
        self.assertIsNone(re.search(r"%[0-9]", found[0][1]), found[0][1])
        self.assertTrue(any("InstallConfig: %1%%2: " in line for line in run.lines), run.lines)

    def test_the_event_is_the_users_and_names_them(self):
        with mock.patch.dict(os.environ, {"DORVANE_WINEDEBUG": "-all,+eventlog,+advapi"}):
            run = self.run_dorvane("/copy Missing.dotx")
        self.assertEqual(run.exit_code, 1, run.lines)
        # Wine notes each call's arguments; the fifth is the user's SID.
        (sid,), ((_, text),) = (re.findall(r"ReportEventW \((?:\w+,){4}(\w+),", run.output),
                                events(run.output))
        self.assertNotEqual(int(sid, 16), 0)
        self.assertRegex(text, r'^Dorvane "/copy Missing.dotx" run by [^\\"]+\\[^\\"]+ ended with ')

    def test_registerevents_writes_the_source_and_unregisterevents_removes_it(self):
        reg = Registry(self.prefix)
        self.addCleanup(reg.delete, SOURCE_KEY)
        self.word.remove()  # the source is the machine's: it needs no Word
        run = self.run_dorvane("/registerevents")
        self.assertEqual(run.exit_code, 0, run.lines)
        self.assertEqual(reg.get(SOURCE_KEY, "EventMessageFile"),
                         ("REG_EXPAND_SZ", self.app.exe_win))
        self.assertEqual(reg.get(SOURCE_KEY, "TypesSupported"), ("REG_DWORD", "0x7"))
        run = self.run_dorvane("/UnregisterEvents")
        self.assertEqual(run.exit_code, 0, run.lines)
        self.assertIsNone(reg.get(SOURCE_KEY, "TypesSupported"))
        self.assertEqual(self.app.entries(), ["Dorvane.exe"])
