"""The harness's own tools, checked against a probe program: if these are wrong, every
end-to-end test reads the wrong thing."""
import os
import subprocess
import time
import unittest

from e2elib.capture import TIMEOUT_EXIT, capture, read_records
from e2elib.fixtures import StandInWord
from e2elib.gui import GuiDriver, needs_display
from e2elib.links import read_link
from e2elib.tools import Tools
from e2elib.wine import WinePrefix


class HarnessCase(unittest.TestCase):
    def setUp(self):
        self.prefix = WinePrefix.from_environment()
        self.tools = Tools.from_environment()
        self.scratch = os.path.join(self.prefix.drive_c, "dorvane-e2e",
                                    f"{type(self).__name__}-{self._testMethodName}")
        subprocess.run(["rm", "-rf", self.scratch], check=True)
        os.makedirs(self.scratch)
        self.addCleanup(subprocess.run, ["rm", "-rf", self.scratch])

    def probe(self, *args, **kw):
        return capture(self.prefix, self.tools, self.tools.winprobe, args=list(args), **kw)


class DebugCaptureTests(HarnessCase):
    def test_every_string_arrives_whole_and_in_order(self):
        tail = 'emit /copy  "Company Letter" '
        run = capture(self.prefix, self.tools, self.tools.winprobe, tail=tail,
                      cwd=self.prefix.to_windows(self.scratch),
                      env={"DORVANE_PROBE": r"C:\a b\c", "systemdrive": r"C:\elsewhere"})
        self.assertEqual(run.exit_code, 42, run.output)
        recs = run.records
        self.assertEqual(recs[0], ("A", b""))
        self.assertEqual(recs[1], ("A", b"\tTAB first"))
        self.assertEqual(recs[2], ("A", "".join(str(i % 10) for i in range(5000)).encode()))
        self.assertEqual(recs[3], ("A", b"caf\xe9"))
        # Wine 8 sends OutputDebugStringW as its ANSI conversion; Windows (and a debugger
        # that asks for it) gets the UTF-16 form.
        self.assertIn(recs[4], [("W", "wide \u00e9\u20ac".encode("utf-16-le")),
                                ("A", "wide \u00e9\u20ac".encode("cp1252"))])
        # The probe's own handler must see its first-chance exception: the debugger
        # passes it on instead of swallowing it.
        self.assertEqual(run.lines[5], "exception reached the program")
        self.assertEqual(run.lines[6], f'cmdline="{self.tools.winprobe}" {tail}')
        self.assertEqual(run.lines[7], "cwd=" + self.prefix.to_windows(self.scratch))
        # Wine resets SystemDrive to C: in every new process (which is why the
        # stand-in Word lives on drive C); other variables reach the child unchanged.
        self.assertEqual(run.lines[8], "systemdrive=C:")
        self.assertEqual(run.lines[9], r"DORVANE_PROBE=C:\a b\c")
        self.assertEqual(len(recs), 10)

    def test_quoted_arguments_and_full_command_line(self):
        run = self.probe("emit", "two words", 'a"quote', "")
        self.assertEqual(run.lines[6],
                         f'cmdline="{self.tools.winprobe}" emit "two words" "a\\"quote" ""')
        run = capture(self.prefix, self.tools, self.tools.winprobe,
                      cmdline="winprobe.exe   emit\tx")
        self.assertEqual(run.lines[6], "cmdline=winprobe.exe   emit\tx")

    def test_timeout_ends_the_child(self):
        started = time.monotonic()
        run = self.probe("sleep", "120000", timeout_ms=2000)
        self.assertEqual(run.exit_code, TIMEOUT_EXIT)
        self.assertTrue(run.timed_out)
        self.assertLess(time.monotonic() - started, 60)

    def test_a_program_that_cannot_start_is_reported(self):
        run = capture(self.prefix, self.tools, r"C:\no\such\program.exe", args=[])
        self.assertEqual(run.exit_code, 125)
        self.assertIn("cannot start", run.output)
        self.assertEqual(run.records, [])

    def test_reader_rejects_a_cut_record(self):
        path = self.prefix.scratch_file(".dbg")
        self.addCleanup(os.unlink, path)
        with open(path, "wb") as f:
            f.write(b"A\x03\x00\x00\x00abcA\x05\x00\x00\x00ab")
        with self.assertRaises(ValueError):
            read_records(path)


class StandInWordTests(HarnessCase):
    def test_each_start_is_logged_with_command_line_and_folder(self):
        word = StandInWord(self.prefix, self.tools.winword)
        word.install()
        self.addCleanup(word.remove)
        folder = self.prefix.to_windows(self.scratch)
        first = capture(self.prefix, self.tools, word.exe_win, tail='/t "Letter.dotx"',
                        cwd=folder)
        second = capture(self.prefix, self.tools, word.exe_win, tail="", cwd=r"C:\windows")
        self.assertEqual((first.exit_code, second.exit_code), (0, 0))
        self.assertEqual(word.calls(), [
            {"cmdline": f'"{word.exe_win}" /t "Letter.dotx"', "cwd": folder},
            {"cmdline": f'"{word.exe_win}"', "cwd": r"C:\windows"},
        ])
        word.remove()
        self.assertFalse(os.path.exists(word.exe_unix))


class LinkReaderTests(HarnessCase):
    def make_link(self, *options):
        lnk = os.path.join(self.scratch, "probe.lnk")
        code, out = self.prefix.run(self.tools.winprobe, "mklnk", self.prefix.to_windows(lnk),
                                    r"C:\windows\notepad.exe", *options)
        self.assertEqual(code, 0, out)
        return read_link(lnk)

    def test_every_field_is_read_back(self):
        link = self.make_link(
            "--argshex", '/t "Letter.dotx"'.encode().hex(),
            "--workdir", r"C:\users\Public", "--desc", 'New letter: the "company" one',
            "--icon", r"C:\windows\explorer.exe", "--iconindex", "2", "--show", "7")
        self.assertEqual(link["target"], r"C:\windows\notepad.exe")
        self.assertEqual(link["arguments"], '/t "Letter.dotx"')
        self.assertEqual(link["working_directory"], r"C:\users\Public")
        self.assertEqual(link["description"], 'New letter: the "company" one')
        self.assertEqual(link["icon_location"], r"C:\windows\explorer.exe")
        self.assertEqual(link["icon_index"], 2)
        self.assertEqual(link["show_command"], 7)  # lnkinfo itself prints 0 here
        self.assertEqual(link["hotkey"], 0)

    def test_absent_fields_read_as_empty(self):
        link = self.make_link("--show", "5")
        self.assertEqual(link["target"], r"C:\windows\notepad.exe")
        for key in ("arguments", "working_directory", "description", "icon_location"):
            self.assertEqual(link[key], "", key)
        self.assertEqual((link["icon_index"], link["show_command"]), (0, 5))


@needs_display
class GuiDriverTests(HarnessCase):
    def setUp(self):
        super().setUp()
        self.gui = GuiDriver(self.prefix, self.tools)

    def start_probe(self, *args):
        from e2elib.capture import RunningCapture
        run = RunningCapture(self.prefix, self.tools, self.tools.winprobe, args=list(args),
                             timeout_ms=60000)
        self.addCleanup(run.kill)
        return run

    def test_message_box_is_read_and_answered(self):
        run = self.start_probe("msgbox", "0x24")  # MB_YESNO | MB_ICONQUESTION
        box = self.gui.message_box(pid=run.pid, timeout_ms=20000)
        self.assertIsNotNone(box)
        self.assertEqual(box["title"], "Probe title")
        self.assertEqual(box["text"], "Probe text\nsecond line")
        self.assertEqual([(b["id"], b["text"]) for b in box["buttons"]],
                         [(6, "&Yes"), (7, "&No")])
        self.assertTrue(box["icon"])
        self.assertTrue(self.gui.answer(box, "No"))
        self.assertEqual(run.wait(30).exit_code, 7)  # IDNO

    def test_box_without_icon_and_answer_by_id(self):
        run = self.start_probe("msgbox", "0")  # MB_OK
        box = self.gui.message_box(pid=run.pid, timeout_ms=20000)
        self.assertEqual([(b["id"], b["text"]) for b in box["buttons"]], [(1, "OK")])
        self.assertFalse(box["icon"])
        self.assertTrue(self.gui.answer(box, 1))
        self.assertEqual(run.wait(30).exit_code, 1)  # IDOK

    def test_controls_are_read_and_set(self):
        run = self.start_probe("window")
        win = self.gui.find(pid=run.pid, title="Probe Window", timeout_ms=20000)
        self.assertIsNotNone(win)
        self.assertEqual(win["class"], "ProbeWindow")
        hwnd = win["hwnd"]
        lst = self.gui.control(hwnd, 102)
        self.assertEqual((lst["items"], lst["selected"]), (["Alpha", "Beta", "Gamma"], []))
        self.assertEqual(self.gui.text(hwnd, 101), "start")
        self.assertTrue(self.gui.set_text(hwnd, 101, 'h\u00e9llo "x"'))
        self.assertEqual(self.gui.text(hwnd, 101), 'h\u00e9llo "x"')
        self.assertTrue(self.gui.select(hwnd, 102, indices=[0], texts=["Gamma"]))
        self.assertEqual(self.gui.control(hwnd, 102)["selected"], [0, 2])
        self.assertTrue(self.gui.click(hwnd, text="Flag"))
        self.assertTrue(self.gui.click(hwnd, id=103))
        self.assertTrue(self.gui.wait_gone(hwnd))
        done = run.wait(30)
        self.assertEqual(done.exit_code, 0)
        self.assertEqual(done.lines, ["selchange", 'edit=h\u00e9llo "x"', "selected=0,2",
                                      "check=1"])
        self.assertIsNone(self.gui.find(pid=run.pid, timeout_ms=0))


if __name__ == "__main__":
    unittest.main()
