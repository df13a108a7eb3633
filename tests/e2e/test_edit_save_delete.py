"""Saving the boxes of the main window as a configuration and deleting the
highlighted one: what lands in the data folders, what the window says, and that
neither reaches outside the data folders."""
import os
import subprocess
from pathlib import Path

from e2elib.editing import IDS, Form1Case
from e2elib.gui import needs_display

BOXES = ("txtTemplateFileName", "txtLNKFileName", "txtLNKDesc", "txtIcon")
KEYS = ("TemplateFile", "ShortcutName", "ShortcutDesc", "ShortcutIcon")
REPLACE = 'A configuration named "{}" already exists. Replace its values?'
RETIRE = ("Retire template config:  {}\r\n\r\nIts file moves into the folder Retired. At each "
          "user's next logon run (/installall), Dorvane removes from that user's profile the "
          "template, the icon and the desktop shortcut it installed, where they are unchanged "
          "and no configuration in Configs installs them.\r\nNothing is deleted now: the "
          "template and the icon stay in Templates and AltIcons.")


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
        self.expect_question(REPLACE.format("Letter"), "Yes")
        self.expect_message("Template Saved!", icon=False)
        values = dict(key_values(read_lines(self.app.path("Configs/Letter.cfg"))))
        self.assertEqual(values, {"TemplateFile": "Letter.dotx", "Groups": "Legal",
                                  "ShortcutName": "Letter", "ShortcutDesc": "Desc",
                                  "ShortcutIcon": "", "Text": "keep"})
        self.assertEqual(os.listdir(self.app.path("Configs")), ["Letter.cfg"])

    def test_another_configuration_is_replaced_only_after_a_question_and_reads_back_as_typed(self):
        for name in ("Memo", "Report"):
            self.app.write_config(name, template=name + ".dotx")
        self.start_form()
        self.select("Report")
        memo = self.app.snapshot()["Configs/Memo.cfg"]
        quoted = ('"Memo.dotx"', '"Hello" world', "'Memo'", '""')
        # Typed, answer (None: no question, as the boxes hold Memo by then).
        for typed, answer in (("Memo", "No"), ("MEMO", "Yes"), ("memo", None)):
            with self.subTest(typed=typed):
                self.fill(typed, quoted)
                self.press("Command4")
                if answer:
                    self.expect_question(REPLACE.format("Memo"), answer)
                if answer != "No":
                    self.expect_message("Template Saved!", icon=False)
                self.expect_no_message()
                self.assertEqual(self.app.snapshot()["Configs/Memo.cfg"] == memo, answer == "No")
        self.assertEqual(sorted(os.listdir(self.app.path("Configs"))), ["Memo.cfg", "Report.cfg"])
        self.select("Memo")
        self.assertEqual(tuple(self.box(b) for b in BOXES), quoted)

    def test_failed_save_names_the_file_instead_of_saying_saved(self):
        os.makedirs(self.app.path("Configs/Broken.cfg"))
        self.start_form()
        self.fill("Broken", ("Letter.dotx", "", "", ""))
        self.press("Command4")
        box = self.expect_message("The template configuration could not be saved to\r\n" +
                                  self.app.winpath("Configs", "Broken.cfg"), icon=True)
        self.expect_no_message()
        self.assertEqual(os.listdir(self.app.path("Configs")), ["Broken.cfg"])
        self.assertTrue(os.path.isdir(self.app.path("Configs/Broken.cfg")))
        # Without Configs, or with a file in its place, the reason is the folder's.
        configs = self.app.winpath("Configs")
        os.rename(self.app.path("Configs"), self.app.path("Old"))
        self.press("Command4")
        self.expect_message(box["text"] + f'\r\nThe folder "{configs}" is missing.', icon=True)
        self.app.write("Configs", b"x")
        self.press("Command4")
        self.expect_message(box["text"] + f'\r\n"{configs}" is not a folder.', icon=True)

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

    def test_text_in_any_language_is_saved_and_loaded_back_exactly(self):
        # New and ANSI files become UTF-16 only for a value code page 1252 lacks.
        fits = ("Lettre.dotx", "Lettre", "Lettre \u00e0 l'\u00e9quipe")
        beyond = ("\u0141\u00f3d\u017a.dotx", "\u041e\u0442\u0447\u0451\u0442",
                  "\u0141\u00f3d\u017a report \u2713")
        rows = ((None, fits, "cp1252"), (None, beyond, "utf-16"),
                ("[Config]\r\nTemplateFile=Memo.dotx\r\n".encode("cp1252"), beyond, "utf-16"),
                ("; Mod\u00e8le\r\n[Config]\r\n".encode("utf-8"), beyond, "utf-8"),
                ("\ufeff[Config]\r\n".encode("utf-8"), fits, "utf-8-sig"))
        names = [beyond[1] if i == 1 else f"Cfg{i}" for i in range(len(rows))]
        for name, (before, values, encoding) in zip(names, rows):
            if before is not None:
                self.app.write_config(name, raw=before)
        self.start_form()
        for name, (before, values, encoding) in zip(names, rows):
            with self.subTest(name=name):
                values = (values + ("",) * 4)[:4]
                if before is not None:
                    self.select(name)  # saving the loaded configuration asks nothing
                self.fill(name, values)
                self.press("Command4")
                self.expect_message("Template Saved!", icon=False)
                data = Path(self.app.path(f"Configs/{name}.cfg")).read_bytes()
                mark = {"utf-16": b"\xff\xfe", "utf-8-sig": b"\xef\xbb\xbf"}.get(encoding, b"")
                self.assertEqual(data[:len(mark)], mark)
                self.assertEqual(data.startswith((b"\xff\xfe", b"\xef\xbb\xbf")), bool(mark))
                self.assertIn(f"ShortcutDesc={values[2]}", data.decode(encoding))
                self.fill("", ("",) * 4)
                self.select(name)
                self.assertEqual(tuple(self.box(b) for b in BOXES), values)

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
            if name == "Memo":
                self.expect_question(REPLACE.format("Memo"), "Yes")
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

    def delete(self, name, answers, then=None, second=None):
        """Deletes the entry by the menu item, answering the questions in turn; second
        is the second question's text after its first line (default: the entry's own
        icon and template go), then the error message expected after them."""
        self.select(name)
        self.assertTrue(self.gui.command(self.form, IDS["IDM_DelTemp"]))
        if second is None:
            second = f"\r\n\r\nDeletes:\r\nAltIcons\\{name}.ico\r\nTemplates\\{name}.dotx"
        questions = [f"Delete template config:  {name}",
                     "Delete associated template file (and icon, if configured)?" + second]
        for question, answer in zip(questions, answers):
            self.expect_question(question, answer)
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
        self.assertEqual(deleted, [self.app.winpath(p) for p in
                                   ("Configs\\Memo.cfg", "Configs\\Fax.cfg", *fax[:2])])

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
                self.delete(name, ["Yes", "Yes"], second="")
                del before[os.path.join("Configs", name + ".cfg")]
                self.assertEqual(self.app.snapshot(), before)

    def test_access_denied_says_how_to_get_the_rights(self):
        # Root gets EPERM in an immutable folder, access denied to Wine's Save; Wine's
        # DeleteFileW does not refuse there, but does refuse a read-only file.
        configs = os.path.dirname(self.app.write_config("Locked"))
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

    def test_a_read_only_configuration_stays_and_so_do_its_files(self):
        # The reason Save gives: no rights would change it. The configuration goes first.
        os.chmod(self.app.path("Configs/Letter.cfg"), 0o444)
        self.start_form()
        self.delete("Letter", ["Yes", "Yes"], then="The template configuration file is "
                    f'read-only:\r\n{self.app.winpath("Configs", "Letter.cfg")}\r\nNothing was deleted.')
        self.assertTrue(all(self.app.exists(p) for p in
                            ("Configs/Letter.cfg", "Templates/Letter.dotx", "AltIcons/Letter.ico")))

    def test_files_other_configurations_name_are_kept_and_named(self):
        # Named in other spellings; the question names the files as the folders list them.
        self.app.write_config("Letter", template="LETTER.dotx", icon="fax.ICO")
        self.app.write("Retired/Old.cfg", "[Config]\r\nTemplateFile=letter.DOTX.\r\n")
        self.start_form()
        self.delete("Letter", ["Yes", "Yes"], second="\r\n\r\nKeeps, as other configurations "
                    "name them:\r\nAltIcons\\Fax.ico (Fax)\r\nTemplates\\Letter.dotx (Retired\\Old)")
        self.assertEqual([self.app.exists(p) for p in
                          ("Configs/Letter.cfg", "Templates/Letter.dotx", "AltIcons/Fax.ico")],
                         [False, True, True])

    def test_delete_and_retire_act_on_the_one_entry_and_its_own_file(self):
        self.app.write("Configs/a.cfg.b.cfg", "[Config]\r\n")
        self.app.write("Configs/Report2.CFG", "[Config]\r\n")
        self.start_form()
        for item, verb in ((IDS["IDM_DelTemp"], "delete"), (IDS["IDM_RetireTemp"], "retire")):
            self.select("Letter", "Memo")
            self.assertTrue(self.gui.command(self.form, item))
            self.expect_message(f"Highlight one configuration to {verb}.", icon=True)
        for name in ("a.b", "Report2.CFG"):
            self.delete(name, ["Yes", "No"], second="")
        self.assertEqual(sorted(os.listdir(self.app.path("Configs"))),
                         ["Fax.cfg", "Letter.cfg", "Memo.cfg"])
        os.unlink(self.app.path("Configs/Fax.cfg"))  # gone since the list was made
        self.select("Fax")
        self.assertTrue(self.gui.command(self.form, IDS["IDM_DelTemp"]))
        self.expect_message('The entry "Fax" stands for the file\r\n' +
                            self.app.winpath("Configs", "Fax.cfg") + "\r\nwhich cannot be used: "
                            "File not found.", icon=True)

    def retire(self, name, *answers):
        self.select(name)
        self.assertTrue(self.gui.command(self.form, IDS["IDM_RetireTemp"]))
        self.expect_question(RETIRE.format(name), answers[0], shot="retire-question")
        if answers[1:]:
            self.expect_question("Retired already holds a configuration of that name:\r\n" +
                                 self.app.winpath("Retired", name + ".cfg") + "\r\nReplace it?",
                                 answers[1])
        self.expect_no_message()

    def test_retire_moves_only_the_configuration_after_a_question(self):
        self.start_form()
        before = self.app.snapshot()
        self.retire("Letter", "No")
        self.assertEqual(self.app.snapshot(), before)
        self.retire("Letter", "Yes")  # makes the folder Retired
        self.app.write("Retired/Memo.cfg", b"older")
        self.retire("Memo", "Yes", "No")
        self.retire("Memo", "Yes", "Yes")
        after = self.app.snapshot()
        for name in ("Letter", "Memo"):
            self.assertEqual(after.pop(f"Retired/{name}.cfg"), before.pop(f"Configs/{name}.cfg"))
        self.assertEqual(after, {**before, "Retired": ("dir",)})
        self.assertEqual(self.list_items(), ["Fax"])
