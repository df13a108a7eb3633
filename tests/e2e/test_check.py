"""/check: the decision of an install run for the user, reported without writing anything,
with the exit code the run would end with."""
import os
import shutil

from e2elib.capture import capture
from e2elib.case import DorvaneTestCase
from e2elib.fixtures import tree_snapshot
from e2elib.install_record import RECORD_KEY, forget_records
from e2elib.registry import Registry

OPTIONS = r"HKCU\Software\Microsoft\Office\16.0\Word\Options"


class CheckTests(DorvaneTestCase):
    def setUp(self):
        super().setUp()
        forget_records(self.prefix)
        for name in ("Changed", "Same", "Old", "Legal"):
            self.app.write(f"Templates/{name}.dotx", name.encode())
        for name, shortcut in (("Changed", ""), ("Same", "Same"), ("Old", "Old")):
            self.app.write_config(name, template=f"{name}.dotx", shortcut=shortcut)
        self.assertEqual(self.run_dorvane("/installall").exit_code, 0)
        # Since then: a new configuration, a template changed on the share, one retired,
        # one for another group and one whose template is missing.
        self.app.write("Templates/New.dotx", b"new")
        self.app.write_config("New", template="New.dotx", shortcut="New")
        self.app.write("Templates/Changed.dotx", b"changed on the share")
        os.makedirs(self.app.path("Retired"))
        shutil.move(self.app.path("Configs/Old.cfg"), self.app.path("Retired"))
        self.app.write_config("Legal", template="Legal.dotx", groups="Guests")
        self.app.write_config("Broken", template="Missing.dotx")
        self.reg = Registry(self.prefix)
        self.reg.delete(OPTIONS, "PersonalTemplates")
        self.addCleanup(self.reg.delete, OPTIONS, "PersonalTemplates")

    def world(self):
        """What a check must leave as it was: the profile's files, the record, Word's
        value and the program's folder."""
        out = self.prefix.scratch_file(".reg")
        self.prefix.run("reg", "export", RECORD_KEY, self.prefix.to_windows(out), "/y")
        with open(out, "rb") as f:
            record = f.read()
        os.unlink(out)
        return (tree_snapshot(self.profile.templates_unix), tree_snapshot(self.profile.desktop_unix),
                record, self.reg.get(OPTIONS, "PersonalTemplates"), tree_snapshot(self.app.path()))

    def test_check_reports_each_decision_writes_nothing_and_exits_as_installall_would(self):
        before = self.world()
        out = self.prefix.scratch_file(".txt")
        check = capture(self.prefix, self.tools, self.app.exe_win, tail="/CHECK", stdout=out,
                        cwd=self.app.win, timeout_ms=self.TIMEOUT_MS)
        self.assertEqual(self.world(), before)
        said = [l.strip() for l in check.lines if l.strip().startswith("Check: ")]
        with open(out, encoding="utf-8") as f:
            self.assertEqual(f.read().splitlines(), said)
        os.unlink(out)
        tpl = lambda name: f'"{self.profile.templates_win}\\{name}.dotx"'
        lnk = lambda name: f'"{self.profile.desktop_win}\\{name}.lnk"'
        missing = self.app.winpath("Templates", "Missing.dotx")
        self.assertEqual(sorted(l for l in said if l.split(":")[1].strip() in (
            "New", "Changed", "Same", "Old", "Legal", "Broken")), sorted([
                f"Check: New: install: {tpl('New')}, {lnk('New')}",
                f"Check: Changed: replace (changed: Changed.dotx): {tpl('Changed')}",
                f"Check: Same: unchanged: {tpl('Same')}, {lnk('Same')}",
                f"Check: Old: remove (retired): {lnk('Old')}, {tpl('Old')}",
                "Check: Legal: not for this user (only for members of Guests)",
                f'Check: Broken: cannot (missing template "{missing}")']), check.lines)
        for start in ("application folder: ", "templates folder: ", "desktop: ", "Word: ",
                      "Word's personal templates location: ", "event source: "):
            self.assertTrue(any(l.startswith("Check: " + start) for l in said), (start, said))
        run = self.run_dorvane("/installall")
        self.assertEqual((check.exit_code, run.exit_code), (1, 1), run.lines)
        # The run says in its own lines what the check said it would do.
        lines = [l.strip() for l in run.lines]
        self.assertEqual(sorted(l for l in lines if l.startswith("removed: ")),
                         sorted(f"removed: {p.strip(chr(34))}" for p in (lnk("Old"), tpl("Old"))))
        for line in (f"unchanged, not copied: {tpl('Same')[1:-1]}",
                     "InstallConfig: Legal: not installed, only for members of Guests",
                     f'InstallConfig: Broken: missing template "{missing}"'):
            self.assertIn(line, lines)
        self.assertEqual(self.profile.templates(),
                         ["Changed.dotx", "New.dotx", "Same.dotx"])
        self.assertEqual(self.profile.desktop(), ["New.lnk", "Same.lnk"])
        self.assertEqual(self.run_dorvane("/check Same").exit_code, 0)


class FirstLogonCheckTests(DorvaneTestCase):
    def test_a_new_profile_is_checked_without_making_its_templates_folder(self):
        self.profile.reset(templates_folder=False)
        self.app.write("Templates/Letter.dotx", b"letter")
        self.app.write_config("Letter", template="Letter.dotx", shortcut="Letter")
        check = self.run_dorvane("/check Letter")
        self.assertEqual(check.exit_code, 0, check.lines)
        self.assertIn(f'Check: Letter: install: "{self.profile.templates_win}\\Letter.dotx", '
                      f'"{self.profile.desktop_win}\\Letter.lnk"',
                      [l.strip() for l in check.lines], check.lines)
        self.assertFalse(os.path.exists(self.profile.templates_unix))
        self.assertEqual(self.profile.desktop(), [])
        self.assertEqual(self.run_dorvane("/install Letter").exit_code, 0)
