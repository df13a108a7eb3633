"""A reason for each failed step, no debris of interrupted runs, runs that take turns."""
import os

from e2elib.case import DorvaneTestCase
from e2elib.hold import held_open

LONG = "Long" * 55  # a .cfg path beyond 259 characters in any test folder


class RunHygieneTests(DorvaneTestCase):
    def test_each_failed_step_has_one_line_naming_the_configuration_and_why(self):
        for cfg, content, command, reason in [  # Upper.CFG is installed as Upper.CFG.cfg
                ("No Such Config.cfg", "", "/install No Such Config", "missing configuration"),
                ("Empty.cfg", "[Config]\r\nTemplateFile=\r\n", "/install Empty", "is empty"),
                ("Bare.cfg", "TemplateFile=Letter.dotx\r\n", "/install Bare", "no [Config] section"),
                ("Upper.CFG", "[Config]\r\nTemplateFile=x\r\n", "/installall", 'Upper.CFG.cfg"'),
                (LONG + ".cfg", "[Config]\r\nTemplateFile=x\r\n", "/install " + LONG,
                 "is too long")]:
            with self.subTest(cfg):
                if content:  # each line is looked for by its own configuration's name
                    self.app.write("Configs/" + cfg, content.encode())
                run = self.run_dorvane(command)
                self.assertEqual(run.exit_code, 1, run.lines)
                who = "InstallConfig: " + cfg.removesuffix(".cfg") + ": "
                self.assertEqual([reason in line for line in run.lines if who in line], [True], run.lines)

    def test_a_run_that_changes_nothing_removes_working_folders_no_run_holds(self):
        self.app.write("Templates/Letter.dotx", b"letter")
        self.app.write_config("Letter", template="Letter.dotx", shortcut="Letter")
        self.assertEqual(self.run_dorvane("/install Letter").exit_code, 0)
        outside = os.path.join(self.app.unix, "outside.txt")
        shared = os.path.join(self.app.unix, "shared.txt")
        table = [  # name, hidden, what else it holds, removed
            ("~dv1a2b.tmp", True, "", True), ("~DV00FF.TMP", True, "", True),
            ("~dv1a2c.tmp", True, "held", False), ("~dv1a2d.tmp", True, "sub", False),
            ("~dv1a2e.tmp", False, "", False), ("~dv1a2x.tmp", True, "", False),
            ("~dv1a2f.tmp", True, "link", False), ("~dv1a30.tmp", True, "hard link", False)]
        for name, hidden, holds, _ in table:
            folder = os.path.join(self.profile.templates_unix, name)
            os.makedirs(os.path.join(folder, "sub") if holds == "sub" else folder)
            with open(os.path.join(folder, "Letter.dotx"), "wb") as f:
                f.write(b"half a template")
            if holds == "link":  # the target of a link inside it survives
                with open(outside, "wb") as f:
                    f.write(b"not ours")
                os.symlink(outside, os.path.join(folder, "a.dotx"))
            if holds == "hard link":  # a second name of a read-only file elsewhere
                with open(shared, "wb") as f:
                    f.write(b"read-only")
                os.chmod(shared, 0o444)  # what Wine shows as the read-only attribute
                os.link(shared, os.path.join(folder, "b.dotx"))
            if hidden:  # where Wine keeps the attributes a Unix file system has no bit for
                os.setxattr(folder, "user.DOSATTRIB", b"0x12")
        # A run still at work holds its folder open, however long ago it began.
        with held_open(self, os.path.join(self.profile.templates_unix, "~dv1a2c.tmp")):
            run = self.run_dorvane("/install Letter")
        self.assertEqual(run.exit_code, 1, run.lines)  # what stays for what it holds fails
        left = os.listdir(self.profile.templates_unix)
        for name, hidden, holds, removed in table:
            self.assertEqual(name not in left, removed, name)
            self.assertEqual(len([l for l in run.lines if "removed the working folder" in l
                                  and name in l]), int(removed), run.lines)
            stays = [l for l in run.lines if "stays" in l and name in l]
            self.assertEqual(len(stays), int(hidden and holds in ("sub", "link", "hard link")))
            self.assertTrue(all(holds in l for l in stays), stays)
        self.assertEqual(os.stat(shared).st_mode & 0o222, 0)
        with open(outside, "rb") as f:
            self.assertEqual(f.read(), b"not ours")

    def test_six_runs_started_together_all_succeed(self):
        for n in range(6):
            self.app.write(f"Templates/T{n}.dotx", b"t" * 100000)
            self.app.write_config(f"T{n}", template=f"T{n}.dotx", shortcut=f"T{n}")
        results = [run.wait() for run in [self.start_dorvane("/installall") for _ in range(6)]]
        self.assertEqual([r.exit_code for r in results], [0] * 6, [r.lines for r in results])
        self.assertEqual(len(self.profile.templates() + self.profile.desktop()), 12)
