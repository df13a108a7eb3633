"""Saving the boxes of the main window as a configuration and deleting the
highlighted one: what lands in the data folders, what the window says, and that
neither reaches outside the data folders."""
import os
import subprocess

from e2elib.editing import IDS, Form1Case
from e2elib.gui import needs_display

BOXES = ("txtTemplateFileName", "txtLNKFileName", "txtLNKDesc", "txtIcon")
KEYS = ("TemplateFile", "ShortcutName", "ShortcutDesc", "ShortcutIcon")


def read_lines(path):
    with open(path, "rb") as f:
        return f.read().decode("cp1252").splitlines()


def key_values(lines):
    return [(k.strip(), v.strip()) for k, _, v in (l.partition("=") for l in lines if "=" in l)]


@needs_display
class SaveTests(Form1Case):
    def fill(self, name, values):
        self.set_box("txtConfigName", name)
        for box, value in zip(BOXES, values):
            self.set_box(box, value)

    def test_empty_name_saves_nothing_and_says_nothing(self):
        self.start_form()
        self.fill("", ("Letter.dotx", "Letter", "", ""))
        self.press("Command4")
        self.expect_no_message()
        self.assertEqual(os.listdir(self.app.path("Configs")), [])

    def test_new_name_writes_the_four_keys_in_order(self):
        self.start_form()
        # Blanks around a value are the profile functions' to drop; still a save.
        values = ("Letter.dotx", "Company Letter", "  New letter  ", "letter.ico")
        self.fill("Company Letter", values)
        self.press("Command4")
        self.expect_message("Template Saved!", icon=False)
        self.assertEqual(os.listdir(self.app.path("Configs")), ["Company Letter.cfg"])
        lines = read_lines(self.app.path("Configs/Company Letter.cfg"))
        self.assertEqual(lines[0], "[Config]")
        self.assertEqual(key_values(lines), list(zip(KEYS, (v.strip() for v in values))))
        self.assertEqual(self.list_items(), ["Company Letter"])

    def test_saving_over_a_configuration_keeps_other_keys(self):
        self.app.write_config("Letter", raw="[Config]\r\nTemplateFile=Old.dotx\r\nGroups=Legal\r\n"
                              "ShortcutName=Old\r\n[Notes]\r\nText=keep\r\n")
        self.start_form()
        self.fill("Letter", ("Letter.dotx", "Letter", "Desc", ""))
        self.press("Command4")
        self.expect_message("Template Saved!", icon=False)
        values = dict(key_values(read_lines(self.app.path("Configs/Letter.cfg"))))
        self.assertEqual(values, {"TemplateFile": "Letter.dotx", "Groups": "Legal",
                                  "ShortcutName": "Letter", "ShortcutDesc": "Desc",
                                  "ShortcutIcon": "", "Text": "keep"})
        self.assertEqual(os.listdir(self.app.path("Configs")), ["Letter.cfg"])

    def test_failed_save_names_the_file_instead_of_saying_saved(self):
        os.makedirs(self.app.path("Configs/Broken.cfg"))
        self.start_form()
        self.fill("Broken", ("Letter.dotx", "", "", ""))
        self.press("Command4")
        self.expect_message("The template configuration could not be saved to\r\n" +
                            self.app.winpath("Configs", "Broken.cfg"), icon=True)
        self.expect_no_message()
        self.assertEqual(os.listdir(self.app.path("Configs")), ["Broken.cfg"])
        self.assertTrue(os.path.isdir(self.app.path("Configs/Broken.cfg")))

    def test_names_that_leave_the_configs_folder_are_refused(self):
        os.makedirs(self.app.path("Configs/a"))
        self.start_form()
        before = (self.app.snapshot(), sorted(os.listdir(self.prefix.drive_c)))
        for name in ("..\\evil", "C:\\x", "a\\b", "a/b", "CON", "Budget.cfg", "x" * 250):
            with self.subTest(name=name):
                self.fill(name, ("Letter.dotx", "", "", ""))
                self.press("Command4")
                box = self.message()
                self.assertIsNotNone(box)
                self.assertEqual(box["title"], "Dorvane")
                self.assertTrue(box["icon"])
                self.assertTrue(box["text"].startswith(f'The configuration name "{name}" cannot '
                                                       'be used ('), box["text"])
                self.assertTrue(box["text"].endswith(").\r\nNothing was saved."), box["text"])
                self.gui.answer(box, "OK")
                self.assertTrue(self.gui.wait_gone(box["hwnd"]))
        self.assertEqual((self.app.snapshot(), sorted(os.listdir(self.prefix.drive_c))), before)

    def test_text_the_file_cannot_store_is_named_in_its_box_and_nothing_is_written(self):
        self.start_form()
        self.fill("Report", ("Report.dotx", "Отчёт", "Report", ""))
        self.press("Command4")
        self.expect_message('The box "Shortcut Name" holds the character "О" (U+041E), which configu'
                            'ration files on this computer cannot store.\r\nNothing was saved.',
                            icon=True)
        self.assertEqual(self.gui.focus(self.form), IDS["IDC_txtLNKFileName"])
        self.assertEqual(os.listdir(self.app.path("Configs")), [])

    def test_a_read_only_configuration_stays_and_a_replaced_one_keeps_its_attributes(self):
        os.chmod(self.app.write_config("Letter"), 0o444)
        os.setxattr(self.app.write_config("Memo"), "user.DOSATTRIB", b"0x2")  # Wine's "hidden"
        self.start_form()
        before = self.app.snapshot()
        for name, message in (("Letter", "The template configuration file is read-only:\r\n" +
                               self.app.winpath("Configs", "Letter.cfg") + "\r\nNothing was saved."),
                              ("Memo", "Template Saved!")):
            self.fill(name, ("New.dotx", "", "", ""))
            self.press("Command4")
            self.expect_message(message, icon=name == "Letter")
        self.assertEqual(self.app.snapshot()["Configs/Letter.cfg"], before["Configs/Letter.cfg"])
        self.assertEqual(os.getxattr(self.app.path("Configs/Memo.cfg"), "user.DOSATTRIB"), b"0x2")

@needs_display
class DeleteTests(Form1Case):
    def setUp(self):
        super().setUp()
        for name in ("Letter", "Memo", "Fax"):
            self.app.write(f"Templates/{name}.dotx", name.encode())
            self.app.write(f"AltIcons/{name}.ico", b"icon")
            self.app.write_config(name, template=f"{name}.dotx", shortcut=name, icon=f"{name}.ico")

    def delete(self, name, answers, then=None):
        """Deletes the entry by the menu item, answering the questions in turn; then is
        the error message expected after them."""
        self.select(name)
        self.assertTrue(self.gui.command(self.form, IDS["IDM_DelTemp"]))
        questions = [f"Delete template config:  {name}",
                     "Delete associated template file (and icon, if configured)?"]
        for question, answer in zip(questions, answers):
            self.expect_message(question, icon=True, buttons=("Yes", "No"), answer=answer)
        if then:
            self.expect_message(then, icon=True)
        self.expect_no_message()

    def test_the_answers_decide_what_goes(self):
        self.start_form()
        self.delete("Letter", ["No"])
        self.assertTrue(all(self.app.exists(p) for p in
                            ("Configs/Letter.cfg", "Templates/Letter.dotx", "AltIcons/Letter.ico")))
        self.delete("Memo", ["Yes", "No"])
        self.assertEqual([self.app.exists(p) for p in
                          ("Configs/Memo.cfg", "Templates/Memo.dotx", "AltIcons/Memo.ico")],
                         [False, True, True])
        self.delete("Fax", ["Yes", "Yes"])
        fax = ("AltIcons\\Fax.ico", "Templates\\Fax.dotx", "Configs\\Fax.cfg")
        self.assertFalse(any(self.app.exists(p) for p in fax))
        self.assertEqual(sorted(self.list_items()), ["Letter"])
        lines = self.finish().lines
        deleted = [l.split("Delete: deleted ", 1)[1] for l in lines if "Delete: deleted " in l]
        self.assertEqual(deleted, [self.app.winpath("Configs", "Memo.cfg")] +
                         [self.app.winpath(p) for p in fax])

    def test_delete_acts_only_on_a_chosen_entry(self):
        self.start_form()
        for refresh in (lambda: None, lambda: self.select("Memo") or self.press("Command4") or
                        self.expect_message("Template Saved!", icon=False),
                        lambda: self.delete("Fax", ["Yes", "No"])):
            refresh()
            self.assertTrue(self.gui.command(self.form, IDS["IDM_DelTemp"]))
            self.expect_message("No template configuration is selected.", icon=True)
        self.assertEqual(sorted(self.list_items()), ["Letter", "Memo"])

    def test_nothing_outside_the_data_folders_goes(self):
        self.app.write("Templates/Sub/x.dotx", b"x")
        cases = {"Empty": ("", ""), "Folder": ("Sub", "Sub"),
                 "Parent": ("..\\Dorvane.exe", "..\\Templates\\Sub\\x.dotx")}
        for name, (template, icon) in cases.items():
            self.app.write_config(name, template=template, icon=icon)
        self.start_form()
        before = self.app.snapshot()
        for name in cases:
            with self.subTest(name=name):
                self.delete(name, ["Yes", "Yes"])
                del before[os.path.join("Configs", name + ".cfg")]
                self.assertEqual(self.app.snapshot(), before)

    def test_access_denied_says_how_to_get_the_rights(self):
        # Root gets EPERM in an immutable folder, access denied to Wine's Save; Wine's
        # DeleteFileW does not refuse there, but does refuse a read-only file.
        configs, cfg = self.app.path("Configs"), self.app.write_config("Locked")
        if subprocess.run(["chattr", "+i", configs]).returncode:
            self.skipTest("no immutable attribute on this file system")
        self.addCleanup(subprocess.run, ["chattr", "-i", configs])
        hint = '\r\nTo change configurations here, start Dorvane with "Run as administrator".'
        win = self.app.winpath("Configs", "Locked.cfg")
        self.start_form()
        self.select("Locked")
        self.press("Command4")
        self.expect_message(f"The template configuration could not be saved to\r\n{win}{hint}",
                            icon=True)
        subprocess.run(["chattr", "-i", configs], check=True)
        os.chmod(cfg, 0o444)
        self.delete("Locked", ["Yes", "No"], then=f'"{win}" could not be deleted.{hint}')
        self.assertTrue(os.path.exists(cfg))
