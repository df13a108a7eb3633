"""The main window and the parameters window, driven from outside with real keys and
clicks: layout, keyboard use, the configuration list, the pop-up menu, the
parameters window and the online help. Each test saves screenshots of what it
showed (DORVANE_SHOTS_DIR, build/screenshots under CTest).

The layouts are checked by their properties at 96 and 144 dpi (each control inside
its parent, no two overlapping), and each caption against its control by the
CaptionFit test, which measures in the windows' own process."""
import itertools
import os
import subprocess
import time
import unittest

from e2elib.case import DorvaneTestCase
from e2elib.gui import needs_display
from e2elib.window import FORM1_CLASS, FORM2_CLASS, MENU_CLASS, WindowDriver

CAPTION = "Dorvane  -  https://dorvane.example.org"
HELP_PAGE = "https://dorvane.example.org/dorvane/"

# Window styles.
WS_VISIBLE, WS_CAPTION, WS_SYSMENU = 0x10000000, 0x00C00000, 0x00080000
WS_BORDER, WS_THICKFRAME, WS_MINIMIZEBOX, WS_MAXIMIZEBOX = 0x800000, 0x40000, 0x20000, 0x10000
WS_TABSTOP, WS_VSCROLL = 0x10000, 0x200000
WS_EX_TOOLWINDOW, WS_EX_APPWINDOW, WS_EX_CLIENTEDGE = 0x80, 0x40000, 0x200
LBS_SORT, LBS_MULTIPLESEL, LBS_NOINTEGRALHEIGHT, LBS_EXTENDEDSEL = 0x2, 0x8, 0x100, 0x800
ES_MULTILINE, ES_READONLY = 0x4, 0x800
BS_PUSHBUTTON, BS_AUTOCHECKBOX, BS_GROUPBOX = 0, 3, 7
SS_LEFT, SS_CENTER, SS_LEFTNOWORDWRAP = 0, 1, 0xC

# Control ids (resources/resource.h).
IDS = dict(Label1=1001, Label2=1002, Label3=1003, Label4=1004, Label5=1005, Label6=1006,
           Label7=1007, Label8=1008, Label9=1009, List1=1010, Command1=1011, Command2=1012, Command3=1013,
           Command4=1014, Check1=1015, Frame1=1016, Picture1=1017, txtConfigName=1020,
           txtTemplateFileName=1021, txtLNKFileName=1022, txtLNKDesc=1023, txtIcon=1024)
IDM_ShowParms = 40003
BOXES = ("txtConfigName", "txtTemplateFileName", "txtLNKFileName", "txtLNKDesc", "txtIcon")

# name, kind, caption, parent
FORM1 = (
    ("Label1", "label", "Template Configs:", None),
    ("List1", "list", "", None),
    ("Command1", "button", "Install Selected Template(s)", None),
    ("Check1", "check", "Install Desktop Shortcuts When Configured.", None),
    ("Label9", "line", "", None),
    ("Frame1", "frame", "Selected Template Configuration:", None),
    ("Picture1", "panel", "", "Frame1"),
    ("Label2", "label", "Template Config Name:", "Picture1"),
    ("txtConfigName", "text", "", "Picture1"),
    ("Label3", "label", "Template File Name:", "Picture1"),
    ("Command3", "button", "Browse", "Picture1"),
    ("txtTemplateFileName", "text", "", "Picture1"),
    ("Command4", "button", "Save Template", "Picture1"),
    ("Label5", "label", "Shortcut Name:  ", "Picture1"),
    ("txtLNKFileName", "text", "", "Picture1"),
    ("Label7", "label",
     "(Name of desktop shortcut to launch a new document with the template.)", "Picture1"),
    ("Label6", "label", "Shortcut Description:  (for mouse hover tooltip)", "Picture1"),
    ("txtLNKDesc", "text", "", "Picture1"),
    ("Label4", "label", "Alternate Icon:", "Picture1"),
    ("Command2", "button", "Browse", "Picture1"),
    ("txtIcon", "text", "", "Picture1"),
    ("Label8", "label",
     "(Optional, an alternate icon you wish to use for the desktop shortcut.)", "Picture1"),
)
TAB_ORDER = ("List1", "Command1", "Command4", "Command3", "Command2", "txtTemplateFileName",
             "txtLNKDesc", "txtLNKFileName", "txtConfigName", "txtIcon", "Check1")

APPDATA = r"%appdata%\Microsoft\Templates"
# id, caption, heading (bold) or centred
FORM2 = (
    (2002, "/InstallAll", "bold"),
    (2009, "Copies configured templates to " + APPDATA, ""),
    (2006, "Installs all configured desktop shortcuts.", ""),
    (2003, "/CopyAll", "bold"),
    (2007, "Copies all templates to " + APPDATA, ""),
    (2008, "No config needed; does NOT install the desktop shortcuts.", ""),
    (2004, "/Install [Template Config Name]", "bold"),
    (2016, "(NOT the Template File Name!)", ""),
    (2010, "Copies specified template to " + APPDATA, ""),
    (2011, "Installs specified desktop shortcut when configured.", ""),
    (2005, "/Copy [Template File Name]", "bold"),
    (2015, "(NOT the Template Config Name!)", ""),
    (2012, "Copies specified template to " + APPDATA, ""),
    (2013, "No config needed; does NOT install the desktop shortcut.", ""),
    (2017, "/Remove [Template Config Name]", "bold"),
    (2018, "Removes the template, icon and desktop shortcut it installed.", ""),
    (2019, "/Check [Template Config Name]", "bold"),
    (2020, "Reports; changes nothing.", ""),
    (2021, "Shows what /InstallAll (or /Install) would do.", ""),
    (2022, "/RegisterEvents", "bold"),
    (2023, "Registers the event source Dorvane for this Dorvane.exe.", ""),
    (2024, "Needs administrator rights; Word is not needed.", ""),
    (2025, "/UnregisterEvents", "bold"),
    (2026, "Removes that registration.", ""),
    (2027, "Needs administrator rights; Word is not needed.", ""),
    (2014, "All execution is completely silent.", "centred"),
)
FORM2_HEIGHT = 7155  # twips: as tall as its list of switches


# Labels the layout lays under the control beside them: the caption ends before it.
LAID_OVER = {frozenset(p) for p in ((1003, 1013), (2004, 2016), (2005, 2015))}


def overlap(a, b):
    """Whether two [left, top, width, height] share more than neighbouring rows do: the
    layout lets rows touch by 15 twips (a pixel at 96 dpi), and rounding adds one."""
    return all(min(a[i] + a[i + 2], b[i] + b[i + 2]) - max(a[i], b[i]) > 2 for i in (0, 1))


def is_blue(rgb):
    r, g, b = rgb
    return b >= 160 and r <= 90 and g <= 90


class WindowTestCase(DorvaneTestCase):
    def setUp(self):
        super().setUp()
        self.win = WindowDriver(self.prefix, self.tools)

    def open_form1(self):
        """Starts Dorvane without arguments; (running capture, Form1's hwnd)."""
        running = self.start_dorvane("", timeout_ms=120000)
        form = self.win.find(pid=running.pid, cls=FORM1_CLASS, timeout_ms=30000)
        self.assertIsNotNone(form, "the main window did not open")
        return running, form["hwnd"]

    def open_form2(self, form, pid):
        # Help is the second menu, Command Line Parameters its second item.
        self.assertTrue(self.win.keys(form, "alt+h", "down", "enter"))
        found = self.win.find(pid=pid, cls=FORM2_CLASS, timeout_ms=10000)
        self.assertIsNotNone(found, "the parameters window did not open")
        return found["hwnd"]

    def assert_laid_out(self, window, controls):
        """Each control inside its parent's client area; no two of a parent overlap."""
        sizes = {c["id"]: c["rect"][2:] for c in controls}
        sizes[0] = window["client"][2:]
        for c in controls:
            left, top, width, height = c["rect"]
            right, bottom = sizes[c["parent_id"]]
            self.assertTrue(left >= 0 and top >= 0 and left + width <= right and
                            top + height <= bottom, c)
        for a, b in itertools.combinations(controls, 2):
            if a["parent_id"] == b["parent_id"] and frozenset((a["id"], b["id"])) not in LAID_OVER:
                self.assertFalse(overlap(a["rect"], b["rect"]), (a, b))

    def boxes(self, hwnd):
        return {name: self.win.text(hwnd, IDS[name]) for name in BOXES}

    @staticmethod
    def settled(read, expected, timeout=10.0):
        """What read() gives once it gives the expected value, or when the time is up:
        on a loaded machine a new window takes the focus, and real input arrives, late."""
        deadline = time.monotonic() + timeout
        while True:
            value = read()
            if value == expected or time.monotonic() > deadline:
                return value
            time.sleep(0.2)

    def settled_text(self, hwnd, name, expected):
        return self.settled(lambda: self.win.text(hwnd, IDS[name]), expected)

    def tooltip(self, hwnd, pid, name, expected):
        """The text of the tooltip that shows while the pointer rests on the control,
        coming from the window's heading. The pointer comes again until the tip shows:
        Wine's tip asks the display where its pointer is, which may lag behind."""
        def hover():
            self.win.mouse(hwnd, IDS["Label1"], button="none")
            self.win.mouse(hwnd, IDS[name], button="none")
            tip = self.win.find(pid=pid, cls="tooltips_class32", timeout_ms=2000)
            return tip and tip["title"]
        return self.settled(hover, expected, timeout=30)

    def list_state(self, hwnd):
        c = self.win.control(hwnd, IDS["List1"])
        return c["items"], c["selected"]

    def close_all(self, running, *hwnds):
        for h in hwnds:
            self.win.close(h)
        return running.wait(60)


@needs_display
class MainWindowTests(WindowTestCase):
    def test_window_and_controls_are_laid_out_as_described(self):
        running, form = self.open_form1()
        window, controls = self.win.geometry(form)
        shot = self.win.screenshot(form, "form1")

        self.assertEqual(window["title"], CAPTION)
        self.assertEqual(window["client"][2:], [9735 // 15, 5385 // 15])
        self.assertEqual(window["owner"], 0)
        style = window["style"]
        self.assertEqual(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU)
        self.assertEqual(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0)

        by_id = {c["id"]: c for c in controls}
        self.assertEqual(sorted(by_id), sorted(IDS.values()))
        self.assert_laid_out(window, controls)
        for name, kind, caption, parent in FORM1:
            with self.subTest(control=name):
                c = by_id[IDS[name]]
                self.assertEqual(c["parent_id"], IDS[parent] if parent else 0)
                self.assertEqual(c["text"], caption)
                s = c["style"]
                self.assertTrue(s & WS_VISIBLE)
                focusable = kind in ("list", "button", "check", "text")
                self.assertEqual(bool(s & WS_TABSTOP), focusable)
                if kind in ("label", "line"):
                    self.assertEqual((c["class"], s & 0x1F),
                                     ("Static", SS_LEFT if kind == "label" else SS_LEFTNOWORDWRAP))
                elif kind == "list":
                    self.assertEqual(c["class"], "ListBox")
                    self.assertEqual(s & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL | LBS_SORT |
                                          LBS_NOINTEGRALHEIGHT),
                                     LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT)
                elif kind in ("button", "check", "frame"):
                    kinds = dict(button=BS_PUSHBUTTON, check=BS_AUTOCHECKBOX, frame=BS_GROUPBOX)
                    self.assertEqual((c["class"], s & 0xF), ("Button", kinds[kind]))
                elif kind == "text":
                    self.assertEqual(c["class"], "Edit")
                    self.assertEqual(s & (ES_MULTILINE | ES_READONLY), 0)
                elif kind == "panel":
                    self.assertEqual(s & WS_BORDER, 0)
                    self.assertEqual(c["exstyle"] & WS_EX_CLIENTEDGE, 0)

        self.assertEqual(self.win.control(form, IDS["Check1"])["checked"], 1)
        self.assertEqual(self.list_state(form), ([], []))

        # Blue where the description says so: the list's heading and the frame's
        # caption, and nowhere in the editor's own labels.
        def blue_pixels(control, height=None):
            left, top, width, h = by_id[IDS[control]]["screen"]
            return sum(map(is_blue, shot.pixels(left - window["outer"][0],
                                                top - window["outer"][1], width, height or h)))

        self.assertGreater(blue_pixels("Label1"), 10)
        self.assertGreater(blue_pixels("Frame1", height=15), 10)
        self.assertEqual(blue_pixels("Label2"), 0)
        self.assertEqual(blue_pixels("Label3"), 0)

        self.assertEqual(self.close_all(running, form).exit_code, 0)

    def test_tab_and_shift_tab_follow_the_tab_order_and_space_ticks(self):
        running, form = self.open_form1()
        self.assertEqual(self.settled(lambda: self.win.focus(form), IDS["List1"]), IDS["List1"])
        seen = []
        for _ in TAB_ORDER:
            self.assertTrue(self.win.keys(form, "tab"))
            seen.append(self.win.focus(form))
        expected = [IDS[n] for n in TAB_ORDER[1:] + TAB_ORDER[:1]]
        self.assertEqual(seen, expected)
        self.win.keys(form, "shift+tab")
        self.assertEqual(self.win.focus(form), IDS["Check1"])
        # The focused check box answers Space.
        self.win.keys(form, "space")
        self.assertEqual(self.win.control(form, IDS["Check1"])["checked"], 0)
        self.close_all(running, form)

    def test_list_shows_each_configuration_as_the_search_finds_it(self):
        groups = "Legal; Sales; Accounts Payable; Human Resources; Research and Development"
        self.app.write_config("Letter", template="Letter.dotx", shortcut="Company Letter",
                              desc="A letter", icon="letter.ico", groups=" Legal;;" + groups[7:])
        self.app.write_config("Memo", template="Memo.dotx", shortcut="Memo",
                              desc="Internal memo", icon="")
        self.app.write("Configs/Report.CFG",
                       "[Config]\r\nTemplateFile=Report.dotx\r\nGroups=Audit\r\n")
        self.app.write_config("a.cfg.b", template="ab.dotx")
        self.app.write_config("Sub/Inner", template="Inner.dotx")
        # The platform's own listing of the folder gives the order.
        code, out = self.prefix.run("cmd", "/c", "dir", "/b", "/a-d",
                                    self.app.winpath("Configs", "*.cfg"))
        self.assertEqual(code, 0, out)
        listed = [l.strip() for l in out.splitlines() if l.strip()]
        self.assertCountEqual(listed, ["Letter.cfg", "Memo.cfg", "Report.CFG", "a.cfg.b.cfg"])
        expected = [n.replace(".cfg", "") for n in listed]

        running, form = self.open_form1()
        items, selected = self.list_state(form)
        self.assertEqual(items, expected)
        self.assertEqual(selected, [])
        self.assertEqual(self.boxes(form), dict.fromkeys(BOXES, ""))

        cases = (
            ("Memo", dict(txtConfigName="Memo", txtTemplateFileName="Memo.dotx",
                          txtLNKFileName="Memo", txtLNKDesc="Internal memo", txtIcon="")),
            ("Letter", dict(txtConfigName="Letter", txtTemplateFileName="Letter.dotx",
                            txtLNKFileName="Company Letter", txtLNKDesc="A letter",
                            txtIcon="letter.ico")),
            # Read from the files that make the entries, not from the names they show.
            ("Report.CFG", dict(dict.fromkeys(BOXES, ""), txtConfigName="Report.CFG",
                                txtTemplateFileName="Report.dotx")),
            ("a.b", dict(dict.fromkeys(BOXES, ""), txtConfigName="a.b",
                         txtTemplateFileName="ab.dotx")),
        )
        for entry, boxes in cases:
            with self.subTest(click=entry):
                self.assertTrue(self.win.mouse(form, IDS["List1"], index=items.index(entry)))
                self.assertEqual(self.settled(lambda: self.boxes(form), boxes), boxes)
                for_whom = {"Letter": "For members of: " + groups,
                            "Report.CFG": "For members of: Audit"}.get(entry, "")
                self.assertEqual(self.win.text(form, IDS["Label9"]), for_whom)
                # The line cuts a long list short; its tooltip shows the whole of it.
                if for_whom:
                    self.assertEqual(self.tooltip(form, running.pid, "Label9", for_whom), for_whom)
                self.assertEqual(self.list_state(form)[1], [items.index(entry)])

        # A keyboard move loads the entry moved to.
        self.win.mouse(form, IDS["List1"], index=items.index("Memo"))
        self.assertEqual(self.settled_text(form, "txtConfigName", "Memo"), "Memo")
        self.win.keys(form, "up" if items.index("Memo") else "down")
        moved_to = items[items.index("Memo") - 1 if items.index("Memo") else 1]
        self.assertEqual(self.settled_text(form, "txtConfigName", moved_to), moved_to)
        self.win.screenshot(form, "form1-list")
        self.close_all(running, form)

    def test_vanished_file_empties_all_boxes_but_the_name(self):
        self.app.write_config("Memo", template="Memo.dotx", shortcut="Memo", desc="d", icon="m.ico")
        self.app.write_config("Gone", template="Gone.dotx", shortcut="Gone", desc="g", icon="g.ico")
        running, form = self.open_form1()
        items, _ = self.list_state(form)
        # The window takes real input after the driver returns: each click's effect is
        # awaited, so that Gone goes only once Memo is loaded.
        self.win.mouse(form, IDS["List1"], index=items.index("Memo"))
        self.assertEqual(self.settled_text(form, "txtConfigName", "Memo"), "Memo")
        os.unlink(self.app.path("Configs/Gone.cfg"))
        self.win.mouse(form, IDS["List1"], index=items.index("Gone"))
        gone = dict(dict.fromkeys(BOXES, ""), txtConfigName="Gone")
        self.assertEqual(self.settled(lambda: self.boxes(form), gone), gone)
        self.close_all(running, form)

    def test_clicking_an_empty_list_keeps_the_boxes(self):
        running, form = self.open_form1()
        self.assertTrue(self.win.set_text(form, IDS["txtConfigName"], "typed"))
        self.win.mouse(form, IDS["List1"])
        self.assertEqual(self.win.text(form, IDS["txtConfigName"]), "typed")
        self.close_all(running, form)

    def test_right_click_pops_up_templates_menu_and_keeps_the_highlight(self):
        for name in ("Letter", "Memo", "Report"):
            self.app.write_config(name, template=name + ".dotx")
        running, form = self.open_form1()
        items, _ = self.list_state(form)
        memo, other = items.index("Memo"), items.index("Letter")
        self.win.mouse(form, IDS["List1"], index=memo)
        self.assertEqual(self.win.windows(pid=running.pid, cls=MENU_CLASS), [])

        self.win.mouse(form, IDS["List1"], index=other, button="right")
        menu = self.win.find(pid=running.pid, cls=MENU_CLASS, timeout_ms=5000)
        self.assertIsNotNone(menu, "no pop-up menu")
        self.win.screenshot(form, "form1-popup")
        self.assertEqual(self.list_state(form)[1], [memo])
        self.assertEqual(self.win.text(form, IDS["txtConfigName"]), "Memo")
        self.win.keys(form, "escape")
        self.assertTrue(self.win.wait_gone(menu["hwnd"], 5000))
        self.assertEqual(self.list_state(form)[1], [memo])
        self.assertEqual(self.win.text(form, IDS["txtConfigName"]), "Memo")
        self.close_all(running, form)


@needs_display
class ScalingTests(WindowTestCase):
    """Wine takes the screen's resolution from the user's LogPixels value when a process
    starts; the test sets it and takes it away again. Wine gives that resolution to
    every process, whether its manifest declares it DPI-aware or not (Windows would
    stretch an unaware one), so the declaration itself is checked in ResourcesTest."""

    KEY = r"HKCU\Control Panel\Desktop"

    def use_dpi(self, dpi):
        code, out = self.prefix.run("reg", "add", self.KEY, "/v", "LogPixels", "/t", "REG_DWORD",
                                    "/d", str(dpi), "/f")
        self.assertEqual(code, 0, out)
        self.addCleanup(self.prefix.run, "reg", "delete", self.KEY, "/v", "LogPixels", "/f")

    def test_layout_scales_with_the_screen_resolution(self):
        self.use_dpi(144)
        running, form = self.open_form1()
        window, controls = self.win.geometry(form)
        self.win.screenshot(form, "form1-144dpi")

        def scaled(twips):  # rounded as MulDiv rounds
            return [(t * 144 + 720) // 1440 for t in twips]

        self.assertEqual(window["client"][2:], scaled((9735, 5385)))
        self.assert_laid_out(window, controls)
        form2 = self.open_form2(form, running.pid)
        self.assertEqual(self.win.geometry(form2)[0]["client"][2:], scaled((5550, FORM2_HEIGHT)))
        self.assert_laid_out(*self.win.geometry(form2))
        self.win.screenshot(form2, "form2-144dpi")
        self.close_all(running, form2, form)
        code, out = self.prefix.run(self.tools.ui_tests, "--gtest_filter=CaptionFit.*")
        self.assertEqual(code, 0, out)

    def test_the_parameters_window_stays_within_a_short_screen_and_scrolls(self):
        self.use_dpi(192)  # its 7155 twips need more than the 768 pixels the desktop has
        running, form = self.open_form1()
        form2 = self.open_form2(form, running.pid)
        window, _ = self.win.geometry(form2)
        self.assertTrue(window["style"] & WS_VSCROLL and 0 <= window["outer"][1] <= 768 - window["outer"][3], window)
        last = lambda: {c["id"]: c["rect"] for c in self.win.geometry(form2)[1]}[2014]
        self.assertGreater(last()[1], window["client"][3])  # "All execution..." lies below
        self.assertTrue(self.win.scroll_to_bottom(form2))
        self.assertLessEqual(last()[1] + last()[3], window["client"][3])
        self.close_all(running, form2, form)


@needs_display
class ParametersWindowTests(WindowTestCase):
    def test_parameters_window_shows_the_labels_as_described(self):
        running, form = self.open_form1()
        form2 = self.open_form2(form, running.pid)
        window, labels = self.win.geometry(form2)
        self.win.screenshot(form2, "form2")
        self.assertEqual(window["title"], "Command Line Parameters:")
        self.assertEqual(window["client"][2:], [5550 // 15, FORM2_HEIGHT // 15])
        self.assertEqual(window["owner"], 0)
        self.assertEqual(window["style"] & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU)
        self.assertEqual(window["style"] & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0)
        # A tool window, which the taskbar leaves out.
        self.assertEqual(window["exstyle"] & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW),
                         WS_EX_TOOLWINDOW)
        by_id = {c["id"]: c for c in labels}
        self.assertEqual(sorted(by_id), sorted(row[0] for row in FORM2))
        self.assert_laid_out(window, labels)
        for id, caption, look in FORM2:
            with self.subTest(label=caption):
                c = by_id[id]
                self.assertEqual((c["class"], c["text"]), ("Static", caption))
                self.assertEqual(c["style"] & 0x1F, SS_CENTER if look == "centred" else SS_LEFT)
                self.assertEqual(c["style"] & WS_TABSTOP, 0)
        self.close_all(running, form2, form)

    def test_one_parameters_window_that_outlives_the_main_window(self):
        running, form = self.open_form1()
        form2 = self.open_form2(form, running.pid)
        # Choosing the item again brings the same window back.
        self.assertTrue(self.win.command(form, IDM_ShowParms))
        self.win.focus(form)  # lets the command run
        found = self.win.windows(pid=running.pid, cls=FORM2_CLASS)
        self.assertEqual([w["hwnd"] for w in found], [form2])

        self.assertTrue(self.win.close(form))
        self.assertTrue(self.win.wait_gone(form, 10000))
        self.assertTrue(running.running())
        self.assertIsNotNone(self.win.find(pid=running.pid, cls=FORM2_CLASS, timeout_ms=0))
        # Escape closes it, as it closes a message box.
        self.assertTrue(self.win.keys(form2, "escape"))
        self.assertEqual(running.wait(60).exit_code, 0)


@needs_display
class OnlineHelpTests(WindowTestCase):
    """A copy of the stand-in Word, registered as the handler of https addresses in
    the prefix, stands in for the browser: it writes down its command line. Wine's
    HKEY_CLASSES_ROOT is the machine's classes only (no per-user merge), so the
    handler is changed there and put back afterwards."""

    KEY = r"HKLM\Software\Classes\https\shell\open\command"

    def handler(self):
        code, out = self.prefix.run("reg", "query", self.KEY, "/ve")
        for line in out.splitlines():
            if "REG_SZ" in line:
                return line.split("REG_SZ", 1)[1].strip()
        return None

    def set_handler(self, command):
        code, out = self.prefix.run("reg", "add", self.KEY, "/ve", "/d", command, "/f")
        self.assertEqual(code, 0, out)

    def register_browser(self):
        exe = self.app.path("Browser/browser.exe")
        os.makedirs(os.path.dirname(exe))
        with open(self.tools.winword, "rb") as src, open(exe, "wb") as dst:
            dst.write(src.read())
        original = self.handler()
        if original is not None:
            self.addCleanup(self.set_handler, original)
        self.set_handler('"' + self.app.winpath("Browser", "browser.exe") + '" "%1"')
        return os.path.join(os.path.dirname(exe), "browser.calls.txt")

    def test_view_help_online_opens_the_help_page(self):
        calls = self.register_browser()
        running, form = self.open_form1()
        self.assertTrue(self.win.keys(form, "alt+h", "enter"))
        for _ in range(100):
            if os.path.exists(calls):
                break
            subprocess.run(["sleep", "0.2"])
        self.assertTrue(os.path.exists(calls), "the browser was not started")
        with open(calls, encoding="utf-8") as f:
            cmdline = f.read().split("\n")[0]
        self.assertTrue(cmdline.endswith('"' + HELP_PAGE + '"'), cmdline)
        self.assertEqual(self.close_all(running, form).exit_code, 0)


if __name__ == "__main__":
    unittest.main()
