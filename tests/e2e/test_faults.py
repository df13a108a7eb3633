"""Silent mode as an administrator deploying it at logon meets it: files held open, a
full disk, folders where files should be, links planted in the user's profile,
absurd command lines, missing or broken folders. The
exit code tells the truth, nothing the user had is lost, and nothing is written
through a link."""
import os
import shutil
import subprocess
import unittest

from e2elib.case import DorvaneTestCase
from e2elib.gui import needs_display
from e2elib.hold import held_open
from e2elib.window import FORM1_CLASS

EXIT_OK, EXIT_FAILED = 0, 1
SPAWN_TIMED_OUT = 124


class FaultCase(DorvaneTestCase):
    def setUp(self):
        super().setUp()
        self.app.write("Templates/Letter.dotx", b"letter v2")
        self.app.write_config("Letter", template="Letter.dotx")

    def lines_naming(self, run, text):
        """Debug lines holding text; characters beyond the ANSI code page appear in
        them as <U+041E>."""
        shown = "".join(c if c.encode("cp1252", "ignore") else "<U+%04X>" % ord(c) for c in text)
        return [line for line in run.lines if shown in line]

    def assertOneLineNames(self, run, text):
        self.assertEqual(len(self.lines_naming(run, text)), 1, run.lines)

    def user_template(self, name="Letter.dotx"):
        return os.path.join(self.profile.templates_unix, name)

    def given_old_template(self, content=b"letter v1"):
        with open(self.user_template(), "wb") as f:
            f.write(content)

    def held_open(self, unix_path):
        """Another process holds the file or folder open without any sharing."""
        return held_open(self, unix_path)

    def mount_small_disk(self, folder, size):
        """A tmpfs of the given size in place of the folder (needs root)."""
        os.makedirs(folder, exist_ok=True)
        proc = subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={size}", "tmpfs", folder],
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        if proc.returncode != 0:
            self.skipTest("cannot mount a small file system here: " + proc.stdout.decode())
        self.addCleanup(subprocess.run, ["umount", "-l", folder])


class FailedCopyTests(FaultCase):
    """A copy that did not happen is a failed step, whatever the shell answered."""

    COMMANDS = ("/install Letter", "/copy Letter.dotx", "/copy Lett*.dotx", "/copyall")

    def check_every_command_fails(self, expected_bytes=None):
        for tail in self.COMMANDS:
            with self.subTest(tail=tail):
                before = sorted(os.listdir(self.profile.templates_unix))
                run = self.run_dorvane(tail)
                self.assertEqual(run.exit_code, EXIT_FAILED, run.lines)
                self.assertOneLineNames(run, "Letter.dotx")
                # No temporary file or folder is left behind.
                self.assertEqual(sorted(os.listdir(self.profile.templates_unix)), before)
                if expected_bytes is not None:
                    self.assertEqual(self.profile.template_bytes("Letter.dotx"), expected_bytes)

    def test_destination_held_open_keeps_the_old_template(self):
        self.given_old_template()
        with self.held_open(self.user_template()):
            self.check_every_command_fails()
        self.assertEqual(self.profile.template_bytes("Letter.dotx"), b"letter v1")

    def test_source_held_open(self):
        with self.held_open(self.app.path("Templates/Letter.dotx")):
            self.check_every_command_fails()
            line = self.lines_naming(self.run_dorvane("/install Letter"), "Letter.dotx")[0]
        # It is there, in use: the copy fails with the system's reason, not "missing".
        self.assertRegex(line, r'Letter: "Letter\.dotx" was not copied to ".*": .*[Ss]haring')
        self.assertEqual(self.profile.templates(), [])

    def test_folder_named_like_the_template(self):
        os.makedirs(self.user_template("Letter.dotx/inside"))
        self.check_every_command_fails()
        self.assertTrue(os.path.isdir(self.user_template("Letter.dotx/inside")))

    def test_full_disk_keeps_the_old_template_whole(self):
        self.mount_small_disk(self.profile.templates_unix, "1m")
        old = os.urandom(500_000)
        self.given_old_template(old)
        self.app.write("Templates/Letter.dotx", os.urandom(1_500_000))
        self.check_every_command_fails(expected_bytes=old)

    def test_paths_too_long_for_the_shell(self):
        long_name = "L" * 240 + ".dotx"
        self.app.write("Templates/" + long_name, b"long")
        self.app.write_config("Long", template=long_name)
        deep = "/".join(["Folder%02d" % i for i in range(24)]) + "/Deep.dotx"
        self.app.write("Templates/" + deep, b"deep")
        for tail, name in (("/install Long", long_name), ("/copyall", "Deep.dotx")):
            with self.subTest(tail=tail):
                self.profile.reset()
                run = self.run_dorvane(tail)
                self.assertEqual(run.exit_code, EXIT_FAILED, run.lines)
                self.assertOneLineNames(run, name)
        # What fits still arrives.
        self.assertEqual(self.profile.template_bytes("Letter.dotx"), b"letter v2")


class PlantedLinkTests(FaultCase):
    """Symbolic links under Wine stand for the junctions, symbolic links and hard links a
    user can make in their own profile on Windows."""

    def setUp(self):
        super().setUp()
        self.system_file = self.app.write("system.dat", b"system file")
        self.elsewhere = self.app.path("elsewhere")
        os.makedirs(self.elsewhere)
        self.app.write_config("Letter", template="Letter.dotx", shortcut="Letter")

    def replace_by_link(self, folder):
        shutil.rmtree(folder)
        os.symlink(self.elsewhere, folder)

        def restore():
            if os.path.islink(folder):
                os.unlink(folder)
            os.makedirs(folder, exist_ok=True)
        self.addCleanup(restore)

    def test_links_in_place_of_the_template_and_the_shortcut_are_replaced_not_written_through(self):
        lnk = os.path.join(self.profile.desktop_unix, "Letter.lnk")
        for planted in (self.user_template(), lnk):
            with self.subTest(planted=os.path.basename(planted)):
                self.profile.reset()
                os.symlink(self.system_file, planted)
                run = self.run_dorvane("/install Letter")
                self.assertEqual(run.exit_code, EXIT_OK, run.lines)
                with open(self.system_file, "rb") as f:
                    self.assertEqual(f.read(), b"system file")
                self.assertFalse(os.path.islink(planted))
                self.assertEqual(self.profile.template_bytes("Letter.dotx"), b"letter v2")
                self.assertEqual(self.profile.links()["Letter.lnk"]["target"], self.word.exe_win)

    def test_linked_templates_folder_receives_nothing(self):
        self.replace_by_link(self.profile.templates_unix)
        for tail in ("/install Letter", "/copy Letter.dotx", "/copyall"):
            with self.subTest(tail=tail):
                run = self.run_dorvane(tail)
                self.assertEqual(run.exit_code, EXIT_FAILED, run.lines)
                self.assertEqual(os.listdir(self.elsewhere), [])
                self.assertOneLineNames(run, self.profile.templates_win)

    def test_linked_desktop_receives_no_shortcut(self):
        self.replace_by_link(self.profile.desktop_unix)
        run = self.run_dorvane("/install Letter")
        self.assertEqual(run.exit_code, EXIT_FAILED, run.lines)
        self.assertEqual(os.listdir(self.elsewhere), [])
        self.assertOneLineNames(run, self.profile.desktop_win)
        self.assertEqual(self.profile.templates(), ["Letter.dotx"])


class HostileCommandLineTests(FaultCase):
    def test_copy_of_endless_wildcards_fails_at_once_without_a_debugger(self):
        # No debugger, as from a logon script: a crash would show Wine's crash window
        # and keep the process alive until the spawn gives up.
        for stars in (600, 30000):
            with self.subTest(stars=stars):
                cmdline = f'"{self.app.exe_win}" /copy ' + "*" * stars
                code, out = self.prefix.run(self.tools.winprobe, "spawn",
                                            cmdline.encode("utf-8").hex(), "60000", timeout=180)
                self.assertNotEqual(code, SPAWN_TIMED_OUT, "still running after 60 s")
                self.assertEqual(code, EXIT_FAILED, out)
                self.assertEqual(self.profile.templates(), [])


class MissingFolderTests(FaultCase):
    def test_missing_desktop_writes_nothing_anywhere(self):
        # Wine fact: without the Desktop folder, the root of the shell's namespace, Wine
        # finds the application-data folder no more either; so nothing is copied.
        self.app.write_config("Letter", template="Letter.dotx", shortcut="Letter")
        desktop = self.profile.desktop_unix
        # A Wine server that starts makes a missing Desktop folder again: start it first.
        self.run_dorvane("/none")
        shutil.rmtree(desktop)
        self.addCleanup(os.makedirs, desktop, exist_ok=True)
        before = set(os.listdir(self.prefix.drive_c))
        run = self.run_dorvane("/install Letter")
        self.assertEqual(run.exit_code, EXIT_FAILED, run.lines)
        self.assertEqual(set(os.listdir(self.prefix.drive_c)), before)
        self.assertEqual(self.profile.templates(), [])
        # No template installed, so no shortcut is attempted, and the desktop is not asked.
        self.assertOneLineNames(run, "no shortcut")
        self.assertOneLineNames(run, "application-data")

    @needs_display
    def test_window_mode_warns_without_an_application_data_folder(self):
        desktop = self.profile.desktop_unix
        self.run_dorvane("/none")  # a Wine server that starts makes the Desktop again
        shutil.rmtree(desktop)  # under Wine this loses the application-data folder too
        self.addCleanup(os.makedirs, desktop, exist_ok=True)
        running = self.start_dorvane("")
        box = self.gui.message_box(pid=running.pid, timeout_ms=30000)
        self.assertIsNotNone(box, "no message box appeared")
        self.assertEqual(box["title"], "WARNING")
        self.assertIn("application data folder", box["text"])
        self.assertTrue(self.gui.answer(box, "OK"))
        # It goes on to its window; closing that ends it before the folders are removed.
        form = self.gui.find(pid=running.pid, cls=FORM1_CLASS, timeout_ms=30000)
        self.assertIsNotNone(form, "the main window did not open after the warning")
        self.assertTrue(self.gui.close(form["hwnd"]))
        running.wait(60)

    def test_a_file_in_place_of_a_data_folder_fails_the_actions_that_need_it(self):
        for folder, tail in (("Configs", "/installall"), ("Configs", "/install Letter"),
                             ("Templates", "/copyall"), ("Templates", "/copy Letter.dotx")):
            with self.subTest(folder=folder, tail=tail):
                self.app.remove()
                self.app = type(self.app)(self.prefix, self.tools.dorvane, name=self._folder_name())
                self.app.write(folder, b"not a folder")
                run = self.run_dorvane(tail)
                self.assertEqual(run.exit_code, EXIT_FAILED, run.lines)
                self.assertOneLineNames(run, self.app.winpath(folder))
                self.assertEqual(self.profile.templates(), [])


if __name__ == "__main__":
    unittest.main()
