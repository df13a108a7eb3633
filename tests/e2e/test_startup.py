"""Startup of Dorvane.exe seen from outside: exit codes, the data folders beside the
executable, the warning when Word is missing and the start banner on the debugger
output. Silent mode exits 0 when its action ran and every step succeeded, 1 when a
step failed, 2 when the command line matched no action, 3 when Word was not found;
window mode exits 0."""
import os
import re
import shutil
import unittest

from e2elib.case import DorvaneTestCase
from e2elib.gui import needs_display
from e2elib.registry import Registry

WORD_MISSING_TEXT = "Could not locate an installed copy of Microsoft Word!"
EXIT_OK, EXIT_NO_ACTION, EXIT_WORD_MISSING = 0, 2, 3
FORM1_CLASS = "DorvaneForm1"


class StartupWithWordTests(DorvaneTestCase):
    def test_unknown_argument_creates_the_data_folders_and_nothing_else(self):
        run = self.run_dorvane("hello")
        self.assertEqual(run.exit_code, EXIT_NO_ACTION, run.lines)
        self.assertEqual(self.app.entries(), ["AltIcons", "Configs", "Dorvane.exe", "Templates"])
        for folder in ("Templates", "AltIcons", "Configs"):
            self.assertEqual(self.app.snapshot()[folder], ("dir",))
        self.assertEqual(len(self.app.snapshot()), 4)  # three empty folders and the exe
        self.assertEqual(self.profile.templates(), [])
        self.assertEqual(self.profile.desktop(), [])
        self.assertEqual(self.word.calls(), [])

    def test_existing_data_folders_and_their_files_are_left_alone(self):
        self.app.write("Templates/Letter.dotx", b"PK\x03\x04 letter")
        self.app.write("Templates/Sub/Old.dot", b"old")
        self.app.write_config("Company Letter", template="Letter.dotx", shortcut="Letter")
        before = self.app.snapshot()
        run = self.run_dorvane("nothing to do")
        self.assertEqual(run.exit_code, EXIT_NO_ACTION, run.lines)
        after = self.app.snapshot()
        self.assertEqual(after.pop("AltIcons"), ("dir",))  # the one that was missing
        self.assertEqual(after, before)
        self.assertEqual(self.profile.templates(), [])

    def test_start_banner_opens_the_debug_output(self):
        run = self.run_dorvane("hello")
        self.assertGreaterEqual(len(run.records), 3, run.lines)
        self.assertEqual(run.records[0], ("A", b"\t"))
        self.assertRegex(run.lines[1], r"^\t\S(.*\S)? - Starting Dorvane   v1\.0\.1 $")
        self.assertEqual(run.records[2], ("A", b"\t" + b"-" * 40))

    def test_a_failed_action_is_no_success(self):
        # /copy of a template that is not there ran an action whose one step failed.
        run = self.run_dorvane("/copy Missing.dotx")
        self.assertEqual(run.exit_code, 1, run.lines)
        self.assertDataFolders()
        self.assertEqual(self.profile.templates(), [])

    def test_action_that_succeeds_exits_zero(self):
        self.app.write("Templates/Letter.dotx", b"letter")
        run = self.run_dorvane("/copyall")
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)
        self.assertEqual(self.profile.templates(), ["Letter.dotx"])

    @needs_display
    def test_window_mode_opens_the_main_window_without_warning(self):
        running = self.start_dorvane("", timeout_ms=60000)
        form = self.gui.find(pid=running.pid, cls=FORM1_CLASS, timeout_ms=30000)
        self.assertIsNotNone(form, "the main window did not open")
        self.assertIsNone(self.gui.message_box(pid=running.pid, timeout_ms=0))
        self.assertDataFolders()
        self.assertTrue(self.gui.close(form["hwnd"]))
        run = running.wait(60)
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)


class StartupWithoutWordTests(DorvaneTestCase):
    WORD_INSTALLED = False

    def test_silent_mode_without_word_does_nothing(self):
        self.app.write("Templates/Letter.dotx", b"letter")
        for tail in ("/copyall", "/copy Letter.dotx", "/installall", "hello"):
            with self.subTest(tail=tail):
                run = self.run_dorvane(tail)
                self.assertEqual(run.exit_code, EXIT_WORD_MISSING, run.lines)
                self.assertEqual(run.lines[3:], [
                    "\tRunCommandLine: nothing ran: Word (WINWORD.EXE) was not found below the"
                    " Office folders of Program Files or in App Paths"])
                self.assertEqual(self.app.entries(), ["Dorvane.exe", "Templates"])
                self.assertEqual(self.profile.templates(), [])
                self.assertEqual(self.profile.desktop(), [])

    def test_silent_mode_without_word_creates_no_folder(self):
        run = self.run_dorvane("/copyall")
        self.assertEqual(run.exit_code, EXIT_WORD_MISSING, run.lines)
        self.assertDataFolders(present=False)
        self.assertEqual(self.app.entries(), ["Dorvane.exe"])

    @needs_display
    def test_window_mode_warns_once_then_goes_on(self):
        running = self.start_dorvane("")
        box = self.gui.message_box(pid=running.pid, timeout_ms=30000)
        self.assertIsNotNone(box, "no message box appeared")
        self.assertEqual(box["title"], "WARNING")
        self.assertEqual(box["text"], WORD_MISSING_TEXT)
        self.assertEqual([b["text"] for b in box["buttons"]], ["OK"])
        self.assertFalse(box["icon"])
        # Startup waits for the answer: the folders come after the warning.
        self.assertTrue(running.running())
        self.assertDataFolders(present=False)
        self.assertTrue(self.gui.answer(box, "OK"))
        self.assertTrue(self.gui.wait_gone(box["hwnd"]))
        # No second box: the main window comes next, and closing it ends the process.
        form = self.gui.find(pid=running.pid, cls=FORM1_CLASS, timeout_ms=30000)
        self.assertIsNotNone(form, "the main window did not open after the warning")
        self.assertIsNone(self.gui.message_box(pid=running.pid, timeout_ms=0))
        self.assertTrue(self.gui.close(form["hwnd"]))
        run = running.wait(60)
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)
        self.assertDataFolders()
        self.assertEqual(self.profile.desktop(), [])


class WordFoundOtherwiseTests(DorvaneTestCase):
    WORD_INSTALLED = False

    def test_word_beside_an_empty_office_15_folder_or_registered_in_app_paths(self):
        app_paths = r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Winword.exe"
        reg, registered = Registry(self.prefix), self.app.winpath("Word", "WINWORD.EXE")
        self.addCleanup(reg.delete, app_paths)
        self.app.write("Word/WINWORD.EXE", b"MZ")
        # Word below Program Files, the path in App Paths, the exit code of "hello"
        for below, named, code in ((True, None, EXIT_NO_ACTION),
                                   (False, registered, EXIT_NO_ACTION),
                                   (False, registered + ".gone", EXIT_WORD_MISSING)):
            with self.subTest(below=below, named=named):
                if below:
                    self.word.install()
                    os.makedirs(self.prefix.to_unix(r"C:\Program Files\Microsoft Office 15"))
                else:
                    self.word.remove()
                    reg.set(app_paths, None, named)
                run = self.run_dorvane("hello")
                self.assertEqual(run.exit_code, code, run.lines)
                self.assertEqual([l for l in run.lines if "as registered in App Paths" in l],
                                 [f'\tLocateWordExe: none below Program Files; Word as registered'
                                  f' in App Paths: "{registered}"'] if named == registered else [])

    def test_click_to_run_update_cache_is_passed_over(self):
        cache = self.prefix.to_unix(r"C:\Program Files\Microsoft Office\Updates\Download\Package"
                                    r"Files\{9A3D2F10-0000-4C5E-9A11-000000000001}\root\Office16")
        self.app.write("Templates/Letter.dotx", b"PK")
        self.app.write_config("Letter", template="Letter.dotx", shortcut="Letter")
        for in_root, code in ((True, 0), (False, 3)):  # with Word only there, none is found
            with self.subTest(in_root=in_root):
                self.profile.reset()
                self.word.install() if in_root else self.word.remove()
                os.makedirs(cache, exist_ok=True)
                shutil.copy2(self.tools.winword, os.path.join(cache, "WINWORD.EXE"))
                run = self.run_dorvane("/installall")
                self.assertEqual(run.exit_code, code, run.lines)
                self.assertEqual([link["target"] for link in self.profile.links().values()],
                                 [self.word.exe_win][:int(in_root)])

    def test_excel_and_powerpoint_beside_word_or_registered_in_app_paths(self):
        app_paths = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\"
        reg, registered = Registry(self.prefix), self.app.winpath("PP", "POWERPNT.EXE")
        self.app.write("PP/POWERPNT.EXE", b"MZ")
        self.word.install()
        excel = self.office("EXCEL")
        # Excel's registered path is not looked at: the search found it beside Word.
        for exe, path in (("EXCEL.EXE", registered), ("POWERPNT.EXE", registered)):
            self.addCleanup(reg.delete, app_paths + exe)
            reg.set(app_paths + exe, None, path)
        for name in ("Sheet.xlt", "Slides.pot"):
            self.app.write("Templates/" + name, b"MZ")
            self.app.write_config(name[:-4], template=name, shortcut=name[:-4])
        run = self.run_dorvane("/installall")
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)
        self.assertEqual([link["target"] for _, link in sorted(self.profile.links().items())],
                         [excel.exe_win, registered])


if __name__ == "__main__":
    unittest.main()
