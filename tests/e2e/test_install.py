"""Installing configurations: how files in "Configs" become names, what one
configuration copies and which shortcut it writes, what counts as a failure, names
that try to leave their folder, and the shortcut opened the way a user opens it."""
import os
import shutil
import time
import unittest

from e2elib.case import DorvaneTestCase
from e2elib.install_record import forget_records

EXIT_OK, EXIT_FAILED = 0, 1


class InstallCase(DorvaneTestCase):
    def setUp(self):
        super().setUp()
        self.app.write("Templates/Letter.dotx", b"letter")
        self.app.write("AltIcons/letter.ico", b"icon")

    def link(self, name):
        return self.profile.links()[name + ".lnk"]

    def refusals(self, run):
        return [line for line in run.lines if "refused" in line]


class ConfigurationNameTests(InstallCase):
    def test_upper_case_ending_keeps_its_name_and_installs_nothing(self):
        # Report.CFG is listed as Report.CFG, whose file would be Report.CFG.cfg.
        self.app.write("Configs/Report.CFG",
                       "[Config]\r\nTemplateFile=Letter.dotx\r\nShortcutName=Report\r\n")
        run = self.run_dorvane("/installall")
        self.assertEqual(run.exit_code, EXIT_FAILED, run.lines)
        self.assertEqual(self.profile.templates(), [])
        self.assertEqual(self.profile.desktop(), [])

    def test_every_cfg_goes_from_the_name(self):
        # a.cfg.cfg is listed as "a", so installing it reads a.cfg.
        self.app.write_config("a.cfg", template="Letter.dotx", shortcut="From a.cfg.cfg")
        self.app.write_config("a", template="Letter.dotx", shortcut="From a.cfg")
        run = self.run_dorvane("/installall")
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)
        self.assertEqual(self.profile.desktop(), ["From a.cfg.lnk"])

    def test_configurations_in_subfolders_are_not_listed(self):
        self.app.write_config("Old\\Letter", template="Letter.dotx", shortcut="Old")
        run = self.run_dorvane("/installall")
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)
        self.assertEqual(self.profile.templates(), [])
        self.assertEqual(self.profile.desktop(), [])

    def test_a_named_configuration_may_sit_in_a_subfolder(self):
        self.app.write_config("Old\\Letter", template="Letter.dotx", shortcut="Old")
        run = self.run_dorvane("/install Old\\Letter")
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)
        self.assertEqual(self.profile.desktop(), ["Old.lnk"])


class InstallConfigTests(InstallCase):
    def test_empty_shortcut_name_installs_the_template_only(self):
        self.app.write_config("Letter", template="Letter.dotx", desc="unused", icon="letter.ico")
        run = self.run_dorvane("/install Letter")
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)
        self.assertEqual(self.profile.templates(), ["Letter.dotx"])
        self.assertEqual(self.profile.desktop(), [])

    def test_a_shortcut_only_for_a_template_in_the_users_templates_folder(self):
        self.app.write("Templates/Empty.dotx", b"")  # an upload that failed
        markers = ("missing template", "holds a wildcard", "refused TemplateFile",
                   "no template: TemplateFile is empty", "empty template")
        for template, desktop, said in (
                ("Gone.dotx", [], "missing template"), ("*.dotx", [], "holds a wildcard"),
                ("Earlier.dotx", ["Case.lnk"], "missing template"),
                ("Sub\\..\\Earlier.dotx", [], "refused TemplateFile"),
                ("", [], "no template: TemplateFile is empty"),
                ("Empty.dotx", [], "empty template")):
            with self.subTest(template=template):
                self.profile.reset()
                for name, data in (("Earlier.dotx", b"installed, since taken out of Templates"),
                                   ("Empty.dotx", b"installed before the failed upload")):
                    with open(os.path.join(self.profile.templates_unix, name), "wb") as f:
                        f.write(data)
                self.app.write_config("Case", template=template, shortcut="Case")
                run = self.run_dorvane("/install Case")
                self.assertEqual(run.exit_code, EXIT_FAILED, run.lines)
                # Letter.dotx is in Templates: a wildcard is said to be one, not missing.
                self.assertEqual([m for l in run.lines for m in markers if m in l], [said],
                                 run.lines)
                self.assertEqual(self.profile.desktop(), desktop)
                self.assertEqual(len([l for l in run.lines if "no shortcut" in l]),
                                 1 - len(desktop), run.lines)
                self.assertEqual(self.profile.template_bytes("Empty.dotx"),
                                 b"installed before the failed upload")

    def test_without_excel_the_shortcut_opens_the_installed_copy(self):
        self.office("POWERPNT")
        self.app.write("Templates/Sheet.xlt", b"sheet")
        self.app.write_config("Sheet", template="Sheet.xlt", shortcut="Sheet")
        copy, lnk = self.profile.templates_win + "\\Sheet.xlt", self.profile.desktop_win + "\\Sheet.lnk"
        runs = [self.run_dorvane("/installall") for _ in "12"]  # the second finds it in place
        said = (f'InstallConfig: Sheet: Excel was not found: the shortcut "{lnk}" opens "{copy}" '
                "itself, in the program its file type names")
        self.assertEqual([(r.exit_code, [l.strip() for l in r.lines if "not found" in l or
                                         "not saved" in l]) for r in runs],
                         [(EXIT_OK, [said]), (EXIT_OK, [said, "unchanged, not saved: " + lnk])])
        link = self.link("Sheet")
        self.assertEqual((link["target"], link["arguments"], link["icon_location"]), (copy, "", ""))
        excel = self.office("EXCEL")  # found again: the usual shortcut
        self.assertEqual(self.run_dorvane("/installall").exit_code, EXIT_OK)
        link = self.link("Sheet")
        self.assertEqual((link["target"], link["arguments"]), (excel.exe_win, f'/t "{copy}"'))

    def test_without_excel_a_workbook_gets_no_shortcut_to_its_copy(self):
        # A workbook's own verb opens it: the user would edit the copy the next run replaces.
        self.office("POWERPNT")
        self.app.write("Templates/Budget.xlsx", b"budget")
        self.app.write_config("Budget", template="Budget.xlsx", shortcut="Budget")
        run = self.run_dorvane("/installall")
        self.assertEqual((run.exit_code, self.profile.desktop(), self.profile.templates()),
                         (EXIT_FAILED, [], ["Budget.xlsx"]), run.lines)
        self.assertIn("InstallConfig: Budget: no shortcut: Excel was not found",
                      [l.strip() for l in run.lines])

    def test_one_name_belongs_to_the_first_configuration_that_lands_it(self):
        sources = {"Legal": b"legal offer", "Sales": b"sales"}
        for folder, data in sources.items():
            self.app.write(f"Templates/{folder}/Offer.dotx", data)
        # (name, template, shortcut) twice, the name the second in the run's order may not
        # have, how many find Offer.dotx unchanged in the first run and in the next one
        for configs, clash, unchanged in (
                ((("Legal", "Legal/Offer.dotx", "Legal"), ("Sales", "Sales/Offer.dotx", "Sales")),
                 '"offer.dotx"', (0, 1)),
                ((("Legal", "Legal/Offer.dotx", "Legal"), ("Sales", "legal\\OFFER.dotx", "Sales")),
                 None, (1, 2)),
                ((("Legal", "Legal/Offer.dotx", "Offer"), ("Letter", "Letter.dotx", "OFFER")),
                 "offer.lnk", (0, 1))):
            with self.subTest(clash=clash):
                self.profile.reset()
                forget_records(self.prefix)
                shutil.rmtree(self.app.path("Configs"), ignore_errors=True)
                for name, template, shortcut in configs:
                    self.app.write_config(name, template=template, shortcut=shortcut)
                for again in (0, 1):  # the next logon: the same, nothing swapped
                    run = self.run_dorvane("/installall")
                    said = [l.strip().lower() for l in run.lines if ': configuration "' in l]
                    first, second = (configs[::-1] if said and f'"{configs[1][0].lower()}"'
                                     in said[0] else configs)
                    self.assertEqual((run.exit_code, [clash in l and l.startswith(
                        f"installconfig: {second[0].lower()}:") for l in said]),
                                     (EXIT_FAILED, [True]) if clash else (EXIT_OK, []), run.lines)
                    self.assertEqual(self.profile.template_bytes("Offer.dotx"),
                                     sources["Sales" if first[0] == "Sales" else "Legal"])
                    self.assertEqual(self.profile.desktop(), sorted(
                        {c[2] + ".lnk" for c in (configs if not clash else [first])}))
                    self.assertEqual(self.link(first[2])["arguments"],
                                     f'/t"{first[1].split("/")[-1]}"')
                    self.assertEqual(len([l for l in run.lines if "unchanged, not copied" in l
                                          and l.lower().endswith("offer.dotx")]), unchanged[again])

    def test_missing_icon_falls_back_to_words_icon_without_failing(self):
        self.app.write_config("Letter", template="Letter.dotx", shortcut="Letter",
                              icon="missing.ico")
        run = self.run_dorvane("/install Letter")
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)
        self.assertEqual(self.profile.templates(), ["Letter.dotx"])
        link = self.link("Letter")
        self.assertEqual(link["icon_location"], self.word.exe_win)
        self.assertEqual(link["icon_index"], 0)

    def test_template_in_a_subfolder_lands_under_its_own_name(self):
        # "/" separates as "\\" does, in both file names.
        self.app.write("Templates/Sub/Letter.dotx", b"sub letter")
        self.app.write("AltIcons/Sub/sub.ico", b"sub icon")
        self.app.write_config("Sub", template="Sub/Letter.dotx", shortcut="Sub", icon="Sub/sub.ico")
        run = self.run_dorvane("/install Sub")
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)
        self.assertEqual(self.profile.templates(), ["Letter.dotx", "sub.ico"])
        self.assertEqual(self.profile.template_bytes("Letter.dotx"), b"sub letter")
        self.assertEqual(self.link("Sub")["arguments"], '/t"Letter.dotx"')
        self.assertEqual(self.link("Sub")["icon_location"], self.profile.templates_win + "\\sub.ico")

    def test_installing_twice_gives_the_same_result_as_once(self):
        self.app.write_config("Letter", template="Letter.dotx", shortcut="Letter",
                              desc="first", icon="letter.ico")
        self.assertEqual(self.run_dorvane("/install Letter").exit_code, EXIT_OK)
        first = (self.profile.templates(), self.profile.desktop(), self.link("Letter"))
        run = self.run_dorvane("/install Letter")
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)
        second = (self.profile.templates(), self.profile.desktop(), self.link("Letter"))
        self.assertEqual(first[:2], second[:2])
        for key in ("target", "arguments", "working_directory", "description",
                    "icon_location", "icon_index", "show_command"):
            self.assertEqual(first[2][key], second[2][key], key)

    def test_missing_templates_folder_is_created_and_receives_template_and_icon(self):
        self.profile.reset(templates_folder=False)
        self.app.write_config("Letter", template="Letter.dotx", shortcut="Letter",
                              icon="letter.ico")
        run = self.run_dorvane("/install Letter")
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)
        self.assertTrue(os.path.isdir(self.profile.templates_unix))
        self.assertEqual(self.profile.templates(), ["Letter.dotx", "letter.ico"])

    def test_missing_configuration_fails_and_touches_nothing(self):
        run = self.run_dorvane("/install Nobody")
        self.assertEqual(run.exit_code, EXIT_FAILED, run.lines)
        self.assertEqual(self.profile.templates(), [])
        self.assertEqual(self.profile.desktop(), [])


class RefusedPathTests(InstallCase):
    """Configuration files and login scripts may come from people who should not
    reach other folders through a program that runs with administrator rights."""

    def setUp(self):
        super().setUp()
        # Targets outside the data folders that a bad name would reach.
        self.app.write("secret.dotx", b"secret")
        self.app.write("secret.ico", b"secret icon")

    def test_template_outside_templates_is_not_copied(self):
        for value in ("..\\secret.dotx", "../secret.dotx", "Sub\\..\\..\\secret.dotx",
                      self.app.winpath("secret.dotx")):
            with self.subTest(value=value):
                self.profile.reset()
                self.app.write_config("Bad", template=value)
                run = self.run_dorvane("/install Bad")
                self.assertEqual(run.exit_code, EXIT_FAILED, run.lines)
                self.assertEqual(self.profile.templates(), [])
                self.assertEqual(len(self.refusals(run)), 1, run.lines)
                self.assertIn("TemplateFile", self.refusals(run)[0])

    def test_icon_outside_alticons_is_not_copied_and_the_shortcut_keeps_words_icon(self):
        self.app.write_config("Bad", template="Letter.dotx", shortcut="Bad",
                              icon="..\\secret.ico")
        run = self.run_dorvane("/install Bad")
        self.assertEqual(run.exit_code, EXIT_FAILED, run.lines)
        self.assertEqual(self.profile.templates(), ["Letter.dotx"])
        self.assertEqual(self.link("Bad")["icon_location"], self.word.exe_win)
        self.assertEqual(len(self.refusals(run)), 1, run.lines)

    def test_shortcut_outside_the_desktop_is_not_written(self):
        outside = os.path.dirname(self.profile.desktop_unix)
        before = set(os.listdir(outside))
        self.app.write_config("Bad", template="Letter.dotx", shortcut="..\\Escaped")
        run = self.run_dorvane("/install Bad")
        self.assertEqual(run.exit_code, EXIT_FAILED, run.lines)
        self.assertEqual(set(os.listdir(outside)), before)
        self.assertEqual(self.profile.desktop(), [])
        self.assertEqual(len(self.refusals(run)), 1, run.lines)

    def test_command_line_names_outside_their_folders_are_refused(self):
        self.app.write("Elsewhere/Bad.cfg", "[Config]\r\nTemplateFile=Letter.dotx\r\n")
        for tail in ("/copy ..\\secret.dotx", "/copy ../secret.dotx",
                     "/copy " + self.app.winpath("secret.dotx"), "/copy \\secret.dotx",
                     "/install ..\\Elsewhere\\Bad", "/install " + self.app.winpath("Elsewhere", "Bad")):
            with self.subTest(tail=tail):
                run = self.run_dorvane(tail)
                self.assertEqual(run.exit_code, EXIT_FAILED, run.lines)
                self.assertEqual(self.profile.templates(), [])
                self.assertEqual(len(self.refusals(run)), 1, run.lines)


class OpenedShortcutTests(InstallCase):
    def test_the_files_family_decides_the_application(self):
        excel, powerpnt = self.office("EXCEL"), self.office("POWERPNT")
        table = {"Budget Sheet.xlsx": excel, "Old.XLS": excel, "Macro.xlsb": excel,  # None: Word,
                 "Plan.xltm": excel, "Deck.pptx": powerpnt, "Show.PPSX": powerpnt,  # and a line
                 "Old.ppt": powerpnt, "Memo.docx": self.word, "Note.rtf": self.word,
                 "Scan.pdf": None, "Notes": None}
        for i, name in enumerate(table):
            self.app.write("Templates/" + name, b"PK")
            self.app.write_config(f"C{i}", template=name, shortcut=f"S{i}")
        run = self.run_dorvane("/installall")
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)
        self.assertEqual({name: self.link(f"S{i}")["target"] for i, name in enumerate(table)},
                         {name: (app or self.word).exe_win for name, app in table.items()})
        self.assertEqual({line for line in run.lines if "no Office type" in line}, {
            f'\tInstallConfig: C{i}: the type of "{name}" is no Office type; its shortcut starts Word'
            for i, name in enumerate(table) if not table[name]})

    def test_opening_the_shortcut_starts_the_templates_application_on_it(self):
        excel, powerpnt, tpl = self.office("EXCEL"), self.office("POWERPNT"), self.profile.templates_win
        for name in ("Sheet.xltx", "Slides.POTX"):
            self.app.write("Templates/" + name, name.encode())
        # template, icon, application, arguments, icon location (the application's own
        # when the configuration names none)
        for template, icon, app, args, icon_at in (
                ("Letter.dotx", "", self.word, '/t"Letter.dotx"', self.word.exe_win),
                ("Sheet.xltx", "letter.ico", excel, f'/t "{tpl}\\Sheet.xltx"', tpl + "\\letter.ico"),
                ("Slides.POTX", "", powerpnt, f'/N "{tpl}\\Slides.POTX"', powerpnt.exe_win)):
            with self.subTest(template=template):
                self.app.write_config("New", template=template, shortcut="New " + template,
                                      icon=icon)
                self.assertEqual(self.run_dorvane("/install New").exit_code, EXIT_OK)
                link = self.link("New " + template)
                self.assertEqual((link["target"], link["arguments"], link["icon_location"]),
                                 (app.exe_win, args, icon_at))
                lnk = self.profile.desktop_win + f"\\New {template}.lnk"
                code, out = self.prefix.run(self.tools.winprobe, "open", lnk)
                self.assertEqual(code, 0, out)
                # Wine returns no process handle for a started link: poll for the record.
                deadline = time.monotonic() + 30
                while not app.calls() and time.monotonic() < deadline:
                    time.sleep(0.2)
                calls = app.calls()
                self.assertEqual(len(calls), 1, calls)
                self.assertTrue(calls[0]["cmdline"].endswith(" " + args), calls[0])
                self.assertEqual(calls[0]["cwd"].rstrip("\\").lower(), tpl.lower())


if __name__ == "__main__":
    unittest.main()
