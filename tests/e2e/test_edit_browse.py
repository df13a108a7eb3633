"""The two Browse buttons of the main window: the open-file dialog, its own check
that the file exists, and how a chosen file reaches the data folder and the boxes."""
import contextlib
import ntpath
import shutil

from e2elib.editing import ICON_DIALOG, NOT_FOUND, TEMPLATE_DIALOG, Form1Case
from e2elib.gui import needs_display
from e2elib.hold import held_open

FILE_TYPE_BOX = 1136  # the dialog's "Files of type" list (cmb1)


@needs_display
class BrowseTests(Form1Case):
    def test_only_a_file_from_outside_the_template_folder_is_copied_in(self):
        self.outside.write("Letter.dotx", b"outside letter")
        self.app.write("Templates/Memo.dotx", b"memo")
        self.app.write("Templates/Sub/Fax.dotx", b"sub fax")
        templates = self.app.winpath("Templates")
        cases = [  # typed into the dialog, the file copied in (None: none)
            (self.outside.winpath("Letter.dotx"), self.outside.winpath("Letter.dotx")),
            # The dialog hands the path back as typed: the folder arrives in upper case.
            (templates.upper() + "\\Memo.dotx", None),
            ("Sub\\Fax.dotx", self.app.winpath("Templates", "Sub", "Fax.dotx")),
        ]
        self.start_form()
        for typed, _ in cases:
            with self.subTest(typed=typed):
                self.set_box("txtConfigName", "")
                self.choose("Command3", TEMPLATE_DIALOG, typed)
                name = ntpath.basename(typed)
                self.assertEqual(self.box("txtTemplateFileName"), name)
                self.assertEqual(self.box("txtConfigName"), ntpath.splitext(name)[0])
        self.expect_no_message()
        for name, content in (("Letter.dotx", b"outside letter"), ("Memo.dotx", b"memo"),
                              ("Fax.dotx", b"sub fax"), ("Sub/Fax.dotx", b"sub fax")):
            with open(self.app.path("Templates", name), "rb") as f:
                self.assertEqual(f.read(), content, name)
        # Wine's shell copies a file onto itself without a word and without a change
        # (Windows refuses), so the debug output tells which copies were made.
        self.assertEqual([l for l in self.finish().lines if "Browse: copied" in l],
                         [f"\tBrowse: copied {source} into {templates}"
                          for _, source in cases if source])

    def test_a_namesake_with_other_content_is_replaced_only_after_a_question(self):
        self.app.write("Templates/Letter.dotx", b"company letter")
        self.app.write_config("Memo", template="Letter.dotx")
        self.app.write("Retired/Fax.cfg", "[Config]\r\nTemplateFile=LETTER.DOTX\r\n")
        self.outside.write("Same/Letter.dotx", b"company letter")
        self.outside.write("Other/LETTER.dotx", b"16 bytes of junk")
        self.start_form()
        # The same bytes: nothing to ask, nothing copied.
        self.choose("Command3", TEMPLATE_DIALOG, self.outside.winpath("Same", "Letter.dotx"))
        self.expect_no_message()
        self.assertEqual(self.box("txtTemplateFileName"), "Letter.dotx")
        other = self.outside.winpath("Other", "LETTER.dotx")
        for answer, box in (("No", ""), ("Yes", "LETTER.dotx")):
            self.set_box("txtTemplateFileName", "")
            self.choose("Command3", TEMPLATE_DIALOG, other)
            # The file as the folder lists it, not as the dialog spelled it.
            self.expect_question('"Templates\\Letter.dotx" already exists, with other content. '
                                 "These configurations use it: Memo, Retired\\Fax.\r\nReplace "
                                 f"it with\r\n{other}?", answer)
            self.assertEqual(self.box("txtTemplateFileName"), box)
        with open(self.app.path("Templates/Letter.dotx"), "rb") as f:
            self.assertEqual(f.read(), b"16 bytes of junk")
        self.assertEqual([l for l in self.finish().lines if "Browse: copied" in l],
                         [f"\tBrowse: copied {other} into {self.app.winpath('Templates')}"])

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
        self.assertEqual(self.gui.control(dialog["hwnd"], FILE_TYPE_BOX)["items"], [
            "Word Templates (*.dot; *.dotx; *.dotm)",
            "Excel and PowerPoint Templates (*.xlt; *.xltx; *.xltm; *.pot; *.potx; *.potm)",
            "All Files (*.*)"])
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

        def templates_is_a_file():
            # A file where the template folder belongs: nothing can be copied into it.
            shutil.rmtree(self.app.path("Templates"))
            self.app.write("Templates", b"not a folder")
            return contextlib.nullcontext()

        def source_held_open():
            # Wine's shell copy answers success here without copying anything.
            return held_open(self, self.outside.path("Letter.dotx"))

        for make_it_fail in (source_held_open, templates_is_a_file):
            with self.subTest(make_it_fail.__name__), make_it_fail():
                self.choose("Command3", TEMPLATE_DIALOG, self.outside.winpath("Letter.dotx"))
                self.expect_message(
                    f'The file could not be copied into "{self.app.winpath("Templates")}"'
                    f':\r\n{self.outside.winpath("Letter.dotx")}', icon=True)
                self.assertEqual((self.box("txtTemplateFileName"), self.box("txtConfigName")),
                                 ("", ""))
