"""The log an administrator switches on in Dorvane.ini beside the executable, section
[Debug]: ToFile=1 writes every debugger line, with its time of day, into a numbered
file and ends a silent run with one line that says what the run did; Folder= chooses
where (environment variables expanded, relative to the executable's folder, "Debug"
when empty); Verbose=1 adds the string routines' trace lines. Without the switch
nothing changes: no folder, no file, the same debugger output."""
import os
import re
import shutil
import unittest

from e2elib.case import DorvaneTestCase

LOG_1 = "DebugOutput - Dorvane 1.txt"
LOG_2 = "DebugOutput - Dorvane 2.txt"
MEANINGS = {
    0: "the action ran and every step succeeded",
    1: "the action ran and a step failed",
    2: "the command line matched no action",
    3: "Word was not found, so nothing ran",
}


def closing_line(tail, code):
    # Characters beyond the ANSI code page appear as on the debugger output: <U+041E>.
    shown = "".join(c if c.encode("cp1252", "ignore") else "<U+%04X>" % ord(c) for c in tail)
    return f'\tCommand line "{shown}" ended with exit code {code}: {MEANINGS[code]}'


class DebugLogCase(DorvaneTestCase):
    def setUp(self):
        super().setUp()
        self.app.write("Templates/Letter.dotx", b"letter")
        self.app.write_config("Company Letter", template="Letter.dotx")

    def write_ini(self, *lines):
        self.app.write("Dorvane.ini", "".join(line + "\r\n" for line in lines))

    def log_lines(self, unix_path):
        """The file's lines as the debugger got them, each checked for its time of day."""
        with open(unix_path, "rb") as f:
            text = f.read().decode("cp1252")
        self.assertTrue(text.endswith("\r\n"), text[-80:])
        lines = []
        for entry in text[:-2].split("\r\n"):
            self.assertRegex(entry, r"^\d{1,2}\D\d\d[^\t]*(\t|$)")
            lines.append(entry[entry.find("\t"):] if "\t" in entry else "")
        return lines


class NoSwitchTests(DebugLogCase):
    def test_without_the_switch_nothing_is_written_and_the_debug_output_is_unchanged(self):
        # Installed once before the baseline, so that every run below finds the same
        # profile (a repeat install reports what it leaves alone).
        self.assertEqual(self.run_dorvane("/installall").exit_code, 0)
        baseline = self.run_dorvane("/installall")
        self.assertEqual(baseline.exit_code, 0, baseline.lines)
        self.assertEqual(self.app.entries(),
                         ["AltIcons", "Configs", "Dorvane.exe", "Templates"])
        self.assertFalse([line for line in baseline.lines if "- Passed: " in line])
        for ini in (["[Debug]", "ToFile=0", "Folder=Logs"],
                    ["[Debug]", "ToFile=", "Folder=%TEMP%\\dvlogs"]):
            with self.subTest(ini=ini):
                self.write_ini(*ini)
                run = self.run_dorvane("/installall")
                self.assertEqual(run.exit_code, baseline.exit_code, run.lines)
                self.assertEqual(run.records, baseline.records)
                self.assertEqual(self.app.entries(),
                                 ["AltIcons", "Configs", "Dorvane.exe", "Dorvane.ini", "Templates"])

    def test_each_mistake_in_the_file_is_said_in_one_line_and_switches_nothing_on(self):
        self.write_ini("; comment", "[Debg]", "ToFile=1", "[debug]", "ToFile=yes", "Tofile2=1",
                       "Verbose=0", "Folder=Logs", "[EventLog]", "Enabled=false", "Success=true",
                       "[Office]", 'PersonalTemplates="0"', "[Other]", "Verbose=1")
        run = self.run_dorvane("/installall")
        self.assertEqual(run.exit_code, 0, run.lines)
        taken = "{}={} is not understood (0 or 1), so {}={} is taken"
        self.assertEqual([l[14:] for l in run.lines if l.startswith("\tDorvane.ini: ")], [
            "unknown section [Debg], so its keys are not read",
            "[debug] " + taken.format("ToFile", "yes", "ToFile", 0),
            'unknown key "Tofile2" in [debug], so it is not read',
            "[EventLog] " + taken.format("Enabled", "false", "Enabled", 1),
            "[EventLog] " + taken.format("Success", "true", "Success", 0),
            "unknown section [Other], so its keys are not read"])
        self.assertEqual(self.app.entries(),  # no log file
                         ["AltIcons", "Configs", "Dorvane.exe", "Dorvane.ini", "Templates"])


class ToFileTests(DebugLogCase):
    def test_the_file_holds_every_debugger_line_then_what_the_run_did(self):
        self.write_ini("[Debug]", "ToFile=1")
        cases = (("/install Company Letter", True, 0),
                 ("/copy Missing.dotx", True, 1),
                 ("/copy Отчёт.dotx", True, 1),
                 ("/installall ", True, 0),  # the log quotes the line with its blank
                 ("hello", True, 2),
                 ("/copyall", False, 3))
        for tail, word, code in cases:
            with self.subTest(tail=tail):
                shutil.rmtree(self.app.path("Debug"), ignore_errors=True)
                if word:
                    self.word.install()
                else:
                    self.word.remove()
                run = self.run_dorvane(tail)
                self.assertEqual(run.exit_code, code, run.lines)
                self.assertEqual(os.listdir(self.app.path("Debug")), [LOG_1])
                lines = self.log_lines(self.app.path("Debug", LOG_1))
                # The closing line goes to the file only.
                self.assertEqual(lines, run.lines + [closing_line(tail, code)])
        # The README's example shows the time as the log writes it (Wine's US format).
        with open(self.app.path("Debug", LOG_1), "rb") as log, \
                open(os.path.join(os.path.dirname(__file__), "../../README.md"), "rb") as f:
            times = {re.sub(r"\d+", "9", t.split("\t")[0]) for t in (log.readline().decode(),
                     *re.findall(r"^.+\tCommand line \"", f.read().decode(), re.M))}
        self.assertEqual(len(times), 1, times)

    def test_folder_setting_chooses_where_the_files_go(self):
        # TEMP is the test's own, below a folder that does not exist yet.
        env = {"TEMP": self.app.winpath("user", "Temp")}
        # An unset variable is not taken literally; Dorvane.ini is read in any encoding.
        cases = (("", ("Debug",)),
                 ("%NOSUCHVAR%\\x", ("Debug",)),
                 ("Logs\\Run\\", ("Logs", "Run")),
                 ("Journ\u00e9e\\Logi", ("Journ\u00e9e", "Logi")),
                 ("%TEMP%\\dvlogs", ("user", "Temp", "dvlogs")))
        encodings = ("cp1252", "utf-16", "utf-8", "utf-8-sig")
        for (value, where), enc in ((c, e) for c in cases for e in encodings):
            with self.subTest(folder=value, encoding=enc):
                shutil.rmtree(self.app.path(*where), ignore_errors=True)
                self.app.write("Dorvane.ini", f"[Debug]\r\nToFile=1\r\nFolder={value}".encode(enc))
                run = self.run_dorvane("/installall", env=env)
                self.assertEqual(run.exit_code, 0, run.lines)
                self.assertEqual(sum("not set: the log" in l for l in run.lines), "%N" in value)
                folder = self.app.path(*where)
                self.assertEqual(os.listdir(folder), [LOG_1])
                self.assertEqual(self.log_lines(os.path.join(folder, LOG_1))[:-1], run.lines)
        # The next run counts the file there and takes the next number.
        run = self.run_dorvane("/installall", env=env)
        self.assertEqual(sorted(os.listdir(folder)), [LOG_1, LOG_2])
        self.assertEqual(self.log_lines(os.path.join(folder, LOG_2))[:-1], run.lines)

    def test_a_folder_that_cannot_be_made_turns_the_file_off_and_the_action_still_runs(self):
        baseline = self.run_dorvane("/installall")
        self.profile.reset()
        self.app.write("Logs", b"a file where the folder should go")
        self.write_ini("[Debug]", "ToFile=1", "Folder=Logs\\Run")
        run = self.run_dorvane("/installall")
        self.assertEqual(run.exit_code, baseline.exit_code, run.lines)
        self.assertEqual(self.profile.templates(), ["Letter.dotx"])
        self.assertRegex(run.lines[0], r"^\tCommonModule\\InitAppSettings VB ERROR: \d+ \S")
        self.assertEqual(run.lines[1], "\t\t- bSetAppINI=True")
        self.assertIn('Logs\\Run" cannot be used, so no log file is written: Path', run.lines[5])
        self.assertEqual(run.records[2:5] + run.records[6:], baseline.records)
        with open(self.app.path("Logs"), "rb") as f:
            self.assertEqual(f.read(), b"a file where the folder should go")
        self.assertFalse(os.path.exists(self.app.path("Debug")))


class VerboseTests(DebugLogCase):
    def test_verbose_adds_the_string_routines_trace_lines(self):
        self.write_ini("[Debug]", "Verbose=1")
        run = self.run_dorvane("/installall")
        self.assertEqual(run.exit_code, 0, run.lines)
        self.assertTrue([line for line in run.lines if line.startswith("\t\t- Passed: ")],
                        run.lines)
        self.assertFalse(os.path.exists(self.app.path("Debug")))


if __name__ == "__main__":
    unittest.main()
