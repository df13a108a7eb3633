"""The two Browse buttons of the main window: the open-file dialog, its own check
that the file exists, and how a chosen file reaches the data folder and the boxes."""
import shutil

from e2elib.editing import ICON_DIALOG, NOT_FOUND, TEMPLATE_DIALOG, Form1Case
from e2elib.gui import needs_display


@needs_display
class BrowseTests(Form1Case):
    def test_file_from_elsewhere_is_copied_and_names_the_configuration(self):
        self.outside.write("Letter.dotx", b"outside letter")
        self.start_form()
        self.choose("Command3", TEMPLATE_DIALOG, self.outside.winpath("Letter.dotx"))
        self.assertEqual(self.box("txtTemplateFileName"), "Letter.dotx")
        self.assertEqual(self.box("txtConfigName"), "Letter")
        with open(self.app.path("Templates/Letter.dotx"), "rb") as f:
            self.assertEqual(f.read(), b"outside letter")
        self.expect_no_message()
        self.assertIn(f'\tBrowse: copied {self.outside.winpath("Letter.dotx")} into '
                      f'{self.app.winpath("Templates")}', self.finish().lines)

    def test_file_directly_in_the_template_folder_is_not_copied_whatever_its_case(self):
        self.app.write("Templates/Letter.dotx", b"letter")
        self.start_form()
        before = self.app.snapshot()
        # The dialog hands the path back as typed, so the folder arrives in upper case.
        self.choose("Command3", TEMPLATE_DIALOG,
                    self.app.winpath("Templates").upper() + "\\Letter.dotx")
        self.assertEqual(self.box("txtTemplateFileName"), "Letter.dotx")
        self.expect_no_message()
        self.assertEqual(self.app.snapshot(), before)
        # Wine's shell copies a file onto itself without a word and without a change
        # (Windows refuses), so only the debug output tells whether a copy was tried.
        self.assertEqual([l for l in self.finish().lines if "Browse: copied" in l], [])

    def test_file_from_a_subfolder_is_copied_up(self):
        self.app.write("Templates/Sub/Memo.dotx", b"memo")
        self.start_form()
        self.choose("Command3", TEMPLATE_DIALOG, "Sub\\Memo.dotx")
        self.assertEqual(self.box("txtTemplateFileName"), "Memo.dotx")
        with open(self.app.path("Templates/Memo.dotx"), "rb") as f:
            self.assertEqual(f.read(), b"memo")
        self.assertTrue(self.app.exists("Templates/Sub/Memo.dotx"))

    def test_configuration_name_comes_from_the_file_only_when_empty(self):
        cases = [("Report.final.dot", "", "Report.final"), ("Memo.dotx", "Mine", "Mine")]
        for name, _, _ in cases:
            self.outside.write(name, b"t")
        self.start_form()
        for name, before, after in cases:
            with self.subTest(name=name, before=before):
                self.set_box("txtConfigName", before)
                self.choose("Command3", TEMPLATE_DIALOG, self.outside.winpath(name))
                self.assertEqual(self.box("txtTemplateFileName"), name)
                self.assertEqual(self.box("txtConfigName"), after)

    def test_missing_file_keeps_the_dialog_open_and_cancel_changes_nothing(self):
        self.start_form()
        self.set_box("txtTemplateFileName", "Kept.dotx")
        before = self.app.snapshot()
        dialog = self.open_dialog("Command3", TEMPLATE_DIALOG)
        # One dialog at a time: the window is its owner and takes no input meanwhile.
        self.assertFalse(self.form_enabled())
        self.type_into_dialog(dialog, "Missing.dotx")
        box = self.message()
        self.assertIsNotNone(box)
        self.assertNotEqual(box["hwnd"], dialog["hwnd"])
        self.assertEqual(box["title"], TEMPLATE_DIALOG)
        self.assertEqual(box["text"], self.app.winpath("Templates", "Missing.dotx") + NOT_FOUND)
        self.assertTrue(box["icon"])
        self.gui.answer(box, "OK")
        self.assertTrue(self.gui.wait_gone(box["hwnd"]))
        self.assertIsNotNone(self.gui.find(pid=self.run.pid, title=TEMPLATE_DIALOG))
        self.assertTrue(self.gui.click(dialog["hwnd"], text="Cancel"))
        self.assertTrue(self.gui.wait_gone(dialog["hwnd"]))
        self.assertTrue(self.form_enabled())
        self.assertEqual((self.box("txtTemplateFileName"), self.box("txtConfigName")),
                         ("Kept.dotx", ""))
        self.assertEqual(self.app.snapshot(), before)

    def test_icon_browse_fills_the_icon_box_only(self):
        self.outside.write("letter.ico", b"icon")
        self.start_form()
        self.choose("Command2", ICON_DIALOG, self.outside.winpath("letter.ico"))
        self.assertEqual(self.box("txtIcon"), "letter.ico")
        self.assertEqual(self.box("txtConfigName"), "")
        self.assertTrue(self.app.exists("AltIcons/letter.ico"))

    def test_failed_copy_says_so_and_leaves_the_boxes(self):
        self.outside.write("Letter.dotx", b"letter")
        self.start_form()
        # A file where the template folder belongs: nothing can be copied into it.
        shutil.rmtree(self.app.path("Templates"))
        self.app.write("Templates", b"not a folder")
        self.choose("Command3", TEMPLATE_DIALOG, self.outside.winpath("Letter.dotx"))
        self.expect_message(f'The file could not be copied into "{self.app.winpath("Templates")}"'
                            f':\r\n{self.outside.winpath("Letter.dotx")}', icon=True)
        self.assertEqual((self.box("txtTemplateFileName"), self.box("txtConfigName")), ("", ""))
