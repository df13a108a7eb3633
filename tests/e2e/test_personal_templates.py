"""Word's File > New > Personal: an install run points Word's personal templates
location at the user's templates folder when nothing names one yet."""
from e2elib.case import DorvaneTestCase
from e2elib.fixtures import StandInWord
from e2elib.registry import Registry

OPTIONS = r"HKCU\Software\Microsoft\Office\16.0\Word\Options"
POLICY = r"HKCU\Software\Policies\Microsoft\Office\16.0\Word\Options"


class PersonalTemplatesTests(DorvaneTestCase):
    def test_the_location_is_set_only_when_nothing_names_one(self):
        reg, off = Registry(self.prefix), "[Office]\r\nPersonalTemplates=0\r\n"
        self.app.write("Templates/Letter.dotx", b"letter")
        self.app.write_config("Letter", template="Letter.dotx")
        # Word, command line, Dorvane.ini, APPDATA, value before, policy, value after, line
        for word, tail, ini, appdata, before, policy, after, said in (
                (16, "/installall", "", None, None, None,
                 ("REG_EXPAND_SZ", r"%APPDATA%\Microsoft\Templates"), "set HKCU"),
                (16, "/install Letter", "", r"C:\Elsewhere", None, None,
                 ("REG_SZ", self.profile.templates_win), "set HKCU"),
                (16, "/installall", "", None, r"D:\Own", None, ("REG_SZ", r"D:\Own"), "kept"),
                (16, "/installall", "", None, None, r"\\srv\t", None, "a policy sets it"),
                (16, "/installall", off, None, None, None, None, "switches it off"),
                (14, "/installall", "", None, None, None, None, "Word 14.0 has no Personal tab"),
                (None, "/installall", "", None, None, None, None, "no version resource"),
                (16, "/copyall", "", None, None, None, None, None)):
            with self.subTest(word=word, tail=tail, ini=ini, appdata=appdata, before=before,
                              policy=policy):
                for key, value in ((OPTIONS, before), (POLICY, policy)):
                    reg.delete(key, "PersonalTemplates")
                    self.addCleanup(reg.delete, key, "PersonalTemplates")
                    if value:
                        reg.set(key, "PersonalTemplates", value)
                self.app.write("Dorvane.ini", ini)
                stand_in = self.tools.winword_of.get(word, self.tools.winword)
                StandInWord(self.prefix, stand_in).install()
                run = self.run_dorvane(tail, env={"APPDATA": appdata} if appdata else None)
                self.assertEqual(run.exit_code, 0, run.lines)
                lines = [l for l in run.lines if "personal templates location" in l]
                self.assertEqual(len(lines), 0 if said is None else 1, run.lines)
                self.assertIn(said or "", "".join(lines))
                self.assertEqual(reg.get(OPTIONS, "PersonalTemplates"), after)
                self.assertEqual(reg.get(POLICY, "PersonalTemplates"),
                                 policy and ("REG_SZ", policy))

    def test_a_found_application_with_a_template_in_place_is_offered_the_folder(self):
        reg, off = Registry(self.prefix), "[Office]\r\nPersonalTemplates=0\r\n"
        for name in ("Letter.dotx", "Sheet.xltx"):  # no PowerPoint template
            self.app.write("Templates/" + name, b"template")
            self.app.write_config(name, template=name)
        apps = ("Word", "Excel", "PowerPoint")
        # found beside Word, the application a policy sets it for, Dorvane.ini, set after
        for found, policy, ini, expected in ((("EXCEL", "POWERPNT"), None, "", apps[:2]),
                                             (("EXCEL",), "Excel", "", ("Word",)),
                                             (("EXCEL", "POWERPNT"), None, off, ())):
            with self.subTest(found=found, policy=policy, ini=ini):
                for app in apps:
                    for key in (OPTIONS, POLICY):
                        reg.delete(key.replace("Word", app), "PersonalTemplates")
                        self.addCleanup(reg.delete, key.replace("Word", app), "PersonalTemplates")
                if policy:
                    reg.set(POLICY.replace("Word", policy), "PersonalTemplates", r"\\srv\t")
                self.app.write("Dorvane.ini", ini)
                StandInWord(self.prefix, self.tools.winword_of[16]).install()
                for name in found:
                    self.office(name)
                self.assertEqual(self.run_dorvane("/installall").exit_code, 0)
                self.assertEqual(
                    [app for app in apps if reg.get(OPTIONS.replace("Word", app),
                                                    "PersonalTemplates")
                     == ("REG_EXPAND_SZ", r"%APPDATA%\Microsoft\Templates")], list(expected))
