"""Installing the selected configurations from the main window, with and without
their shortcuts, and what the window says when not everything installed."""
import time

from e2elib.editing import IDS, Form1Case
from e2elib.gui import needs_display
from e2elib.hold import LOCK_FILE, held_turn

NAMES = ("Letter", "Memo", "Fax")
CAPTION = "Dorvane  -  https://dorvane.example.org"


@needs_display
class InstallFromWindowTests(Form1Case):
    def setUp(self):
        super().setUp()
        for name in NAMES:
            self.app.write(f"Templates/{name}.dotx", name.encode())
            self.app.write_config(name, template=f"{name}.dotx", shortcut=f"{name} shortcut",
                                  desc=f"New {name}")

    def install(self, *names, shortcuts=True):
        self.assertTrue(self.gui.set_check(self.form, IDS["IDC_Check1"], shortcuts))
        if names:
            self.select(*names)
        self.press("Command1")

    def test_selected_configurations_install_with_shortcuts_as_the_box_says(self):
        self.start_form()
        for shortcuts in (True, False):
            with self.subTest(shortcuts=shortcuts):
                self.profile.reset()
                self.install(*NAMES, shortcuts=shortcuts)
                self.expect_message("Template(s) Installed!", icon=False)
                self.assertEqual(self.profile.templates(), sorted(n + ".dotx" for n in NAMES))
                links = self.profile.links()
                if not shortcuts:
                    self.assertEqual(links, {})
                    continue
                self.assertEqual(sorted(links), sorted(f"{n} shortcut.lnk" for n in NAMES))
                for name in NAMES:
                    link = links[f"{name} shortcut.lnk"]
                    self.assertEqual((link["target"], link["arguments"], link["description"]),
                                     (self.word.exe_win, f'/t"{name}.dotx"', f"New {name}"))

    def test_nothing_selected_installs_nothing_and_says_so(self):
        self.start_form()
        self.install()
        self.expect_message("No template configuration is selected.", icon=True)
        self.assertEqual((self.profile.templates(), self.profile.desktop()), ([], []))

    def test_a_failing_configuration_is_named_and_the_others_install(self):
        self.app.write_config("Memo", template="Gone.dotx")
        # Not for this user: not a failure, under its own heading.
        self.app.write_config("Fax", template="Fax.dotx", shortcut="Fax", groups="Guests")
        # Excel is not found: its template installs, and its shortcut opens the copy.
        self.app.write("Templates/Sheet.xltx", b"sheet")
        self.app.write_config("Sheet", template="Sheet.xltx", shortcut="Sheet")
        # A notice is no failure either: it comes last.
        self.app.write("Templates/Macro.dotm", b"macro")
        self.prefix.run(self.tools.winprobe, "write",
                        self.app.winpath("Templates", "Macro.dotm:Zone.Identifier"),
                        "[ZoneTransfer]\r\nZoneId=3")
        self.app.write_config("Macro", template="Macro.dotm")
        self.start_form()
        self.install(*NAMES, "Sheet", "Macro")
        gone = self.app.winpath("Templates", "Gone.dotx")
        self.expect_message("These template configurations were not installed completely:\r\n"
                            f'Memo: missing template "{gone}"\r\n\r\n'
                            "Not for this user, so not installed:\r\nFax: for members of Guests"
                            "\r\n\r\nNotices on macro-enabled templates (nothing was changed):"
                            "\r\nMacro: Templates\\Macro.dotm carries the mark of the web "
                            "(Internet zone): outside a trusted location Office blocks its "
                            "macros; unblock it on the share", icon=True)
        self.assertEqual(self.profile.templates(), ["Letter.dotx", "Macro.dotm", "Sheet.xltx"])
        self.assertEqual(self.profile.desktop(), ["Letter shortcut.lnk", "Sheet.lnk"])

    def test_a_long_failure_report_stays_on_the_screen(self):
        names = [f"Gone{i:02}" for i in range(20)]
        for name in names:
            self.app.write_config(name, template="Gone.dotx")
        self.start_form()
        self.install(*names)
        box = self.expect_message(self.message()["text"], icon=True)  # read, then answered
        head, *shown, more, where = box["text"].split("\r\n")
        gone = self.app.winpath("Templates", "Gone.dotx")
        self.assertLessEqual(set(shown), {f'{n}: missing template "{gone}"' for n in names})
        self.assertEqual((head, len(shown), more, where), (
            "These template configurations were not installed completely:", 15, "... and 5 more.",
            "Every failure is on the debugger output, and in the log file when Dorvane.ini "
            "switches it on ([Debug] ToFile=1)."))

    def test_waiting_for_the_turn_shows_in_the_title_until_the_turn_comes(self):
        self.start_form()
        with held_turn(self):
            self.install("Letter")
            waiting = CAPTION + "  -  Waiting for another Dorvane run to finish..."
            deadline = time.monotonic() + 30
            while self.gui.text(self.form, stored=True) != waiting:
                self.assertLess(time.monotonic(), deadline, "the title never said it waits")
                time.sleep(0.2)
            self.assertEqual(self.profile.templates(), [LOCK_FILE])  # the holder's alone
        self.expect_message("Template(s) Installed!", icon=False)
        self.assertEqual(self.gui.text(self.form, stored=True), CAPTION)
