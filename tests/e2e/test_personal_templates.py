"""Word's File > New > Personal: an install run points Word's personal templates
location at the user's templates folder when nothing names one yet."""
import unittest

from e2elib.case import DorvaneTestCase
from e2elib.fixtures import StandInWord
from e2elib.registry import Registry

OPTIONS = r"HKCU\Software\Microsoft\Office\16.0\Word\Options"
POLICY = r"HKCU\Software\Policies\Microsoft\Office\16.0\Word\Options"
NAME = "PersonalTemplates"
ROAMING = r"%APPDATA%\Microsoft\Templates"
SWITCH_OFF = "[Office]\r\nPersonalTemplates=0\r\n"


class PersonalTemplatesTests(DorvaneTestCase):
    def test_the_location_is_set_only_when_nothing_names_one(self):
        reg = Registry(self.prefix)
        self.app.write("Templates/Letter.dotx", b"letter")
        self.app.write_config("Letter", template="Letter.dotx")
        exact = ("REG_SZ", self.profile.templates_win)
        # word, command line, Dorvane.ini, APPDATA, value before, policy, value after, line
        cases = [
            (16, "/installall", "", None, None, None, ("REG_EXPAND_SZ", ROAMING), "set HKCU"),
            (16, "/install Letter", "", r"C:\Elsewhere", None, None, exact, "set HKCU"),
            (16, "/installall", "", None, r"D:\Own", None, ("REG_SZ", r"D:\Own"), "kept"),
            (16, "/installall", "", None, None, r"\\srv\t", None, "a policy sets it"),
            (16, "/installall", SWITCH_OFF, None, None, None, None, "switches it off"),
            (14, "/installall", "", None, None, None, None, "Word 14.0 has no Personal tab"),
            (None, "/installall", "", None, None, None, None, "no version resource"),
            (16, "/copyall", "", None, None, None, None, None),
        ]
        for word, tail, ini, appdata, before, policy, after, said in cases:
            with self.subTest(word=word, tail=tail, ini=ini, appdata=appdata, before=before,
                              policy=policy):
                for key in (OPTIONS, POLICY):
                    reg.delete(key, NAME)
                    self.addCleanup(reg.delete, key, NAME)
                if before:
                    reg.set(OPTIONS, NAME, before)
                if policy:
                    reg.set(POLICY, NAME, policy)
                self.app.write("Dorvane.ini", ini)
                StandInWord(self.prefix, self.tools.winword_of.get(word, self.tools.winword)).install()
                run = self.run_dorvane(tail, env={"APPDATA": appdata} if appdata else None)
                self.assertEqual(run.exit_code, 0, run.lines)
                lines = [l for l in run.lines if "personal templates location" in l]
                self.assertEqual(len(lines), 0 if said is None else 1, run.lines)
                if said:
                    self.assertIn(said, lines[0])
                self.assertEqual(reg.get(OPTIONS, NAME), after)
                self.assertEqual(reg.get(POLICY, NAME), policy and ("REG_SZ", policy))


if __name__ == "__main__":
    unittest.main()
