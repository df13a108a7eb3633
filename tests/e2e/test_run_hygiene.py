"""What a run leaves and says: one line naming the configuration and the reason for
each failed step, the system's own reason for a file in use, no working folders of
interrupted runs, and runs for one user that take turns instead of failing each other."""
import os
import time
import unittest

from e2elib.case import DorvaneTestCase
from e2elib.hold import held_open

EXIT_OK, EXIT_FAILED = 0, 1


class RunHygieneCase(DorvaneTestCase):
    def setUp(self):
        super().setUp()
        self.app.write("Templates/Letter.dotx", b"letter")
        self.app.write("AltIcons/letter.ico", b"icon")
        self.app.write_config("Letter", template="Letter.dotx", shortcut="Letter",
                              desc="A letter", icon="letter.ico")


class FailureReasonTests(RunHygieneCase):
    def test_each_failed_step_has_one_line_naming_the_configuration_and_why(self):
        # (configuration file, its content, command, who, reason)
        cases = [
            (None, None, "/install No Such Config", "No Such Config",
             "missing configuration file"),
            ("Empty.cfg", "[Config]\r\nTemplateFile=\r\nShortcutName=\r\n", "/install Empty",
             "Empty", "TemplateFile is empty"),
            ("Bare.cfg", "TemplateFile=Letter.dotx\r\n", "/install Bare", "Bare",
             "no [Config] section"),
            ("Upper.CFG", "[Config]\r\nTemplateFile=Letter.dotx\r\n", "/installall",
             "Upper.CFG", 'missing configuration file "' + self.app.winpath(
                 "Configs", "Upper.CFG.cfg") + '"'),
        ]
        for cfg, content, command, who, reason in cases:
            with self.subTest(command=command, who=who):
                path = cfg and self.app.write("Configs/" + cfg, content.encode("cp1252"))
                run = self.run_dorvane(command)
                if path:
                    os.unlink(path)
                self.assertEqual(run.exit_code, EXIT_FAILED, run.lines)
                naming = [line for line in run.lines if f"InstallConfig: {who}:" in line]
                self.assertEqual(len(naming), 1, run.lines)
                self.assertIn(reason, naming[0])

    def test_a_template_in_use_is_reported_with_the_systems_reason(self):
        with held_open(self, self.app.path("Templates/Letter.dotx")):
            run = self.run_dorvane("/install Letter")
        self.assertEqual(run.exit_code, EXIT_FAILED, run.lines)
        naming = [line for line in run.lines if "InstallConfig: Letter:" in line]
        self.assertEqual(len(naming), 1, run.lines)
        self.assertIn('cannot read the template "' + self.app.winpath("Templates", "Letter.dotx")
                      + '": ', naming[0])
        self.assertNotIn("missing", naming[0])
        self.assertIn("haring", naming[0])  # the system's "sharing violation" text


class StaleWorkingFolderTests(RunHygieneCase):
    def test_only_old_hidden_working_folders_of_plain_files_are_removed(self):
        old = time.time() - 11 * 60
        # (name, hidden, last written, a subfolder inside, removed)
        table = [
            ("~dv1a2b.tmp", True, old, False, True),
            ("~DV00FF.TMP", True, old, False, True),
            ("~dv1a2c.tmp", True, time.time() - 5 * 60, False, False),
            ("~dv1a2d.tmp", True, old, True, False),
            ("~dv1a2e.tmp", False, old, False, False),
            ("~dv1a2x.tmp", True, old, False, False),
            ("~dv1a2bc.tmp", True, old, False, False),
        ]
        for name, hidden, written, subfolder, _ in table:
            folder = os.path.join(self.profile.templates_unix, name)
            os.makedirs(folder)
            with open(os.path.join(folder, "Letter.dotx"), "wb") as f:
                f.write(b"half a template")
            if subfolder:
                os.makedirs(os.path.join(folder, "sub"))
            if hidden:
                try:  # where Wine keeps the attributes a Unix file system has no bit for
                    os.setxattr(folder, "user.DOSATTRIB", b"0x12")
                except OSError as e:
                    self.skipTest("no extended attributes here: " + str(e))
            os.utime(folder, (written, written))
        run = self.run_dorvane("/install Letter")
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)
        left = os.listdir(self.profile.templates_unix)
        for name, _, _, _, removed in table:
            self.assertEqual(name not in left, removed, name)
            self.assertEqual(len([l for l in run.lines if name in l]), int(removed), run.lines)


class TurnTests(RunHygieneCase):
    def test_runs_started_together_all_succeed(self):
        for n in range(5):
            self.app.write(f"Templates/T{n}.dotx", b"t" * 200000)
            self.app.write_config(f"T{n}", template=f"T{n}.dotx", shortcut=f"T{n}",
                                  icon="letter.ico")
        runs = [self.start_dorvane("/installall") for _ in range(6)]
        results = [run.wait() for run in runs]
        self.assertEqual([r.exit_code for r in results], [EXIT_OK] * 6,
                         [r.lines for r in results if r.exit_code])
        self.assertEqual(self.profile.templates(),
                         sorted(["Letter.dotx", "letter.ico"] + [f"T{n}.dotx" for n in range(5)]))
        self.assertEqual(len(self.profile.desktop()), 6)


if __name__ == "__main__":
    unittest.main()
