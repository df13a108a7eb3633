"""A reason for each failed step, no debris of interrupted runs, runs that take turns."""
import os
import time

from e2elib.case import DorvaneTestCase


class RunHygieneTests(DorvaneTestCase):
    def test_each_failed_step_has_one_line_naming_the_configuration_and_why(self):
        for cfg, content, command, reason in [  # Upper.CFG is installed as Upper.CFG.cfg
                ("No Such Config.cfg", "", "/install No Such Config", "missing configuration"),
                ("Empty.cfg", "[Config]\r\nTemplateFile=\r\n", "/install Empty", "is empty"),
                ("Bare.cfg", "TemplateFile=Letter.dotx\r\n", "/install Bare", "no [Config] section"),
                ("Upper.CFG", "[Config]\r\nTemplateFile=x\r\n", "/installall", 'Upper.CFG.cfg"')]:
            with self.subTest(cfg):
                if content:  # each line is looked for by its own configuration's name
                    self.app.write("Configs/" + cfg, content.encode())
                run = self.run_dorvane(command)
                self.assertEqual(run.exit_code, 1, run.lines)
                who = "InstallConfig: " + cfg.removesuffix(".cfg") + ": "
                self.assertEqual([reason in line for line in run.lines if who in line], [True])

    def test_only_old_hidden_working_folders_of_plain_files_are_removed(self):
        old, new = time.time() - 11 * 60, time.time() - 5 * 60
        table = [  # name, hidden, last written, with a subfolder, removed
            ("~dv1a2b.tmp", True, old, False, True), ("~DV00FF.TMP", True, old, False, True),
            ("~dv1a2c.tmp", True, new, False, False), ("~dv1a2d.tmp", True, old, True, False),
            ("~dv1a2e.tmp", False, old, False, False), ("~dv1a2x.tmp", True, old, False, False)]
        for name, hidden, written, subfolder, _ in table:
            folder = os.path.join(self.profile.templates_unix, name)
            os.makedirs(os.path.join(folder, "sub") if subfolder else folder)
            with open(os.path.join(folder, "Letter.dotx"), "wb") as f:
                f.write(b"half a template")
            if hidden:  # where Wine keeps the attributes a Unix file system has no bit for
                os.setxattr(folder, "user.DOSATTRIB", b"0x12")
            os.utime(folder, (written, written))
        self.app.write("Templates/Letter.dotx", b"letter")
        self.app.write_config("Letter", template="Letter.dotx", shortcut="Letter")
        run = self.run_dorvane("/install Letter")
        self.assertEqual(run.exit_code, 0, run.lines)
        left = os.listdir(self.profile.templates_unix)
        for name, _, _, _, removed in table:
            self.assertEqual(name not in left, removed, name)
            self.assertEqual(len([l for l in run.lines if name in l]), int(removed), run.lines)

    def test_six_runs_started_together_all_succeed(self):
        for n in range(6):
            self.app.write(f"Templates/T{n}.dotx", b"t" * 100000)
            self.app.write_config(f"T{n}", template=f"T{n}.dotx", shortcut=f"T{n}")
        results = [run.wait() for run in [self.start_dorvane("/installall") for _ in range(6)]]
        self.assertEqual([r.exit_code for r in results], [0] * 6, [r.lines for r in results])
        self.assertEqual(len(self.profile.templates() + self.profile.desktop()), 12)
