"""The four silent actions as a login script starts them: which command lines match
which action, what each copies, and the exit code (0 every step succeeded, 1 a step
failed, 2 nothing matched)."""
import unittest

from e2elib.case import DorvaneTestCase

EXIT_OK, EXIT_FAILED, EXIT_NO_ACTION = 0, 1, 2


class CommandLineCase(DorvaneTestCase):
    def given_templates(self):
        self.app.write("Templates/Letter.dotx", b"letter v2")
        self.app.write("Templates/Memo.dot", b"memo")
        self.app.write("Templates/Legal/Brief.dotx", b"brief")

    def given_company_letter(self):
        self.app.write("AltIcons/letter.ico", b"icon")
        self.app.write_config("Company Letter", template="Letter.dotx", shortcut="Company Letter",
                              desc="New letter on the company template", icon="letter.ico")

    def assertNothingInstalled(self, run):
        self.assertEqual(self.profile.templates(), [], run.lines)
        self.assertEqual(self.profile.desktop(), [], run.lines)


class CopyTests(CommandLineCase):
    def test_copyall_in_any_letter_case_copies_every_file_and_folder(self):
        self.given_templates()
        for tail in ("/copyall", "/CopyAll", "/COPYALL"):
            with self.subTest(tail=tail):
                self.profile.reset()
                run = self.run_dorvane(tail)
                self.assertEqual(run.exit_code, EXIT_OK, run.lines)
                self.assertEqual(self.profile.templates(), ["Letter.dotx", "Memo.dot"])
                brief = self.profile.templates_unix + "/Legal/Brief.dotx"
                with open(brief, "rb") as f:
                    self.assertEqual(f.read(), b"brief")
                self.assertEqual(self.profile.desktop(), [])

    def test_copy_replaces_an_older_copy_and_makes_no_shortcut(self):
        self.given_templates()
        self.given_company_letter()  # names the same template, with a shortcut
        with open(self.profile.templates_unix + "/Letter.dotx", "wb") as f:
            f.write(b"letter v1")
        run = self.run_dorvane("/copy Letter.dotx")
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)
        self.assertEqual(self.profile.templates(), ["Letter.dotx"])
        self.assertEqual(self.profile.template_bytes("Letter.dotx"), b"letter v2")
        self.assertEqual(self.profile.desktop(), [])

    def test_copy_with_a_wildcard_copies_what_it_matches(self):
        self.given_templates()
        self.app.write("Templates/Report.dotx", b"report")
        run = self.run_dorvane("/copy *.dotx")
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)
        self.assertEqual(self.profile.templates(), ["Letter.dotx", "Report.dotx"])

    def test_copy_into_a_profile_without_a_templates_folder_creates_it(self):
        # A fresh profile has no Word templates folder until Word first runs.
        self.given_templates()
        self.profile.reset(templates_folder=False)
        run = self.run_dorvane("/copy Letter.dotx")
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)
        self.assertEqual(self.profile.templates(), ["Letter.dotx"])
        self.assertEqual(self.profile.template_bytes("Letter.dotx"), b"letter v2")

    def test_copy_of_what_is_not_there_fails(self):
        self.given_templates()
        cases = {
            "/copy Missing.dotx": "no such template",
            "/copy  Letter.dotx": "two blanks leave one in front of the name",
            "/copy *.none": "a wildcard that matches nothing",
        }
        for tail, why in cases.items():
            with self.subTest(tail=tail, why=why):
                run = self.run_dorvane(tail)
                self.assertEqual(run.exit_code, EXIT_FAILED, run.lines)
                self.assertNothingInstalled(run)

    def test_copyall_with_no_templates_fails_and_copies_nothing(self):
        run = self.run_dorvane("/copyall")
        self.assertEqual(run.exit_code, EXIT_FAILED, run.lines)
        self.assertNothingInstalled(run)


class MatchingTests(CommandLineCase):
    def test_other_words_match_nothing(self):
        self.given_templates()
        self.given_company_letter()
        # (A blank in front of "/copyall" cannot be told from the blanks that separate
        # the program from its arguments; the parsing tests cover that case.)
        for tail in ("C:\\Templates\\Letter.dotx", "-installall", "Company Letter"):
            with self.subTest(tail=tail):
                run = self.run_dorvane(tail)
                self.assertEqual(run.exit_code, EXIT_NO_ACTION, run.lines)
                self.assertNothingInstalled(run)

    def test_lines_as_logon_scripts_write_them(self):
        self.given_templates()
        self.given_company_letter()
        for tail, code in (("/Install Company Letter", EXIT_OK), ("/installall ", EXIT_OK),
                           ('/install "Company Letter" ', EXIT_OK),
                           ("/install  Company Letter", EXIT_FAILED),
                           ("/install /copy Letter.dotx", EXIT_NO_ACTION),
                           ("/copy", EXIT_NO_ACTION)):
            with self.subTest(tail=tail):
                self.profile.reset()
                run = self.run_dorvane(tail)
                self.assertEqual(run.exit_code, code, run.lines)
                self.assertEqual(self.profile.desktop(),
                                 ["Company Letter.lnk"] if code == EXIT_OK else [])
                said = [line for line in run.lines if "mistyped" in line]
                self.assertEqual(len(said), code == EXIT_NO_ACTION, run.lines)

    def test_every_line_that_runs_nothing_says_why(self):
        for tail, why in (
                ("installall", 'matches no action: each begins with "/" (Help > Command Line '
                               "Parameters in Dorvane's window lists them)"),
                ("/registerevents x", 'is mistyped: /registerevents takes no name, yet "x" follows it'),
                ("/copyall x", 'is mistyped: /copyall takes no name, yet "x" follows it'),
                ("/install", "is mistyped: it names nothing where a configuration name belongs"),
                ("/copy /x", 'is mistyped: it names "/x" where a template file name belongs')):
            with self.subTest(tail=tail):
                run = self.run_dorvane(tail)
                self.assertEqual(run.exit_code, EXIT_NO_ACTION, run.lines)
                self.assertEqual(run.lines[3:], [f'\tRunCommandLine: the command line "{tail}" {why}'])


class InstallCommandTests(CommandLineCase):
    def test_install_copies_template_and_icon_and_writes_the_shortcut(self):
        self.given_templates()
        self.given_company_letter()
        run = self.run_dorvane("/install Company Letter")
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)
        self.assertEqual(self.profile.templates(), ["Letter.dotx", "letter.ico"])
        self.assertEqual(self.profile.desktop(), ["Company Letter.lnk"])
        link = self.profile.links()["Company Letter.lnk"]
        self.assertEqual(link["target"], self.word.exe_win)
        self.assertEqual(link["arguments"], '/t"Letter.dotx"')
        self.assertEqual(link["working_directory"], self.profile.templates_win)
        self.assertEqual(link["description"], "New letter on the company template")
        self.assertEqual(link["icon_location"], self.profile.templates_win + "\\letter.ico")
        self.assertEqual(link["icon_index"], 0)
        self.assertEqual(link["show_command"], 5)
        self.assertEqual(link["hotkey"], 0)

    def test_installall_installs_every_configuration_in_search_order(self):
        self.given_templates()
        self.given_company_letter()
        self.app.write_config("Memo", template="Memo.dot", shortcut="Memo", desc="A memo")
        self.app.write_config("Brief", template="Legal\\Brief.dotx")
        run = self.run_dorvane("/installall")
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)
        self.assertEqual(self.profile.templates(),
                         ["Brief.dotx", "Letter.dotx", "Memo.dot", "letter.ico"])
        self.assertEqual(self.profile.desktop(), ["Company Letter.lnk", "Memo.lnk"])
        memo = self.profile.links()["Memo.lnk"]
        self.assertEqual(memo["arguments"], '/t"Memo.dot"')
        self.assertEqual(memo["icon_location"], self.word.exe_win)

    def test_installall_in_any_letter_case_and_an_empty_configs_folder(self):
        for tail in ("/InstallAll", "/INSTALLALL"):
            with self.subTest(tail=tail):
                run = self.run_dorvane(tail)
                self.assertEqual(run.exit_code, EXIT_OK, run.lines)
                self.assertNothingInstalled(run)

    def test_installall_goes_on_after_a_failed_configuration(self):
        self.given_templates()
        self.app.write_config("A", template="Missing.dotx")
        self.app.write_config("B", template="Memo.dot")
        run = self.run_dorvane("/installall")
        self.assertEqual(run.exit_code, EXIT_FAILED, run.lines)
        self.assertEqual(self.profile.templates(), ["Memo.dot"])


if __name__ == "__main__":
    unittest.main()
