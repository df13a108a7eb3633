"""Drives Form1's editing actions in a running Dorvane.exe: its boxes and buttons by
the names of resources/resource.h, its message boxes and the open-file dialog."""
import os
import re

from .case import DorvaneTestCase
from .fixtures import AppFolder
from .window import FORM1_CLASS, WindowDriver


def _resource_ids():
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..",
                        "resources", "resource.h")
    with open(path) as f:
        return {m[1]: int(m[2]) for m in re.finditer(r"^#define\s+(ID\w+)\s+(\d+)", f.read(), re.M)}


IDS = _resource_ids()
# The Explorer-style dialog's file-name box (cmb13). Wine hands WM_SETTEXT on it to
# the edit box inside, and its list view also carries id 1, so Open is pressed by
# its caption.
FILE_NAME_BOX = 0x47C
TEMPLATE_DIALOG = "Select an existing Word Template"
ICON_DIALOG = "Select an Icon"
NOT_FOUND = "\r\nFile not found.\r\nPlease verify the correct file name was given."


class EditingDriver(WindowDriver):
    def enabled(self, hwnd):
        """Whether the window takes input (a window that owns a modal dialog does not)."""
        code, out = self._run("winstate", hwnd)
        if code != 0 or not out:
            raise AssertionError(f"no window {hwnd}")
        return out[0]["enabled"]


class Form1Case(DorvaneTestCase):
    """self.start_form() starts Dorvane.exe in window mode and finds Form1 as
    self.form; self.outside is a second folder beside the application folder."""

    def setUp(self):
        super().setUp()
        self.gui = EditingDriver(self.prefix, self.tools)
        self.outside = AppFolder(self.prefix, "", name=self._folder_name() + "-outside")
        self.addCleanup(self.outside.remove)

    def start_form(self):
        self.run = self.start_dorvane()
        found = self.gui.find(pid=self.run.pid, cls=FORM1_CLASS, timeout_ms=60000)
        self.assertIsNotNone(found, "Form1 did not open")
        self.form = found["hwnd"]

    def finish(self):
        """Closes Form1 and returns the DebugRun of the whole session."""
        self.gui.close(self.form)
        return self.run.wait(timeout=120)

    def box(self, name):
        return self.gui.text(self.form, IDS["IDC_" + name])

    def set_box(self, name, text):
        self.assertTrue(self.gui.set_text(self.form, IDS["IDC_" + name], text))

    def press(self, name):
        self.assertTrue(self.gui.click(self.form, id=IDS["IDC_" + name]))

    def list_items(self):
        return self.gui.control(self.form, IDS["IDC_List1"])["items"]

    def select(self, *texts):
        self.assertTrue(self.gui.select(self.form, IDS["IDC_List1"], texts=texts))

    def form_enabled(self):
        return self.gui.enabled(self.form)

    def message(self, timeout_ms=30000):
        """The next message box of this Dorvane, or None."""
        return self.gui.message_box(pid=self.run.pid, timeout_ms=timeout_ms)

    def expect_message(self, text, icon, buttons=("OK",), answer="OK", default=None, shot=None):
        """Answers the next message box after checking it; default is the caption of
        the button Enter would press, shot a screenshot's name."""
        box = self.message()
        self.assertIsNotNone(box, f"no message box (expected {text!r})")
        self.assertEqual((box["title"], box["text"], box["icon"]), ("Dorvane", text, icon))
        self.assertEqual([b["text"].replace("&", "") for b in box["buttons"]], list(buttons))
        if default is not None:
            self.assertEqual(box["default"].replace("&", ""), default)
        if shot:
            self.gui.screenshot(box["hwnd"], shot)
        self.gui.answer(box, answer)
        self.assertTrue(self.gui.wait_gone(box["hwnd"]))
        return box

    def expect_question(self, text, answer, default="No", shot=None):
        return self.expect_message(text, True, ("Yes", "No"), answer, default, shot)

    def expect_no_message(self):
        self.assertIsNone(self.message(timeout_ms=3000))

    def open_dialog(self, button, title):
        self.press(button)
        dialog = self.gui.find(pid=self.run.pid, cls="#32770", title=title, timeout_ms=30000)
        self.assertIsNotNone(dialog, f"no dialog {title!r}")
        return dialog

    def type_into_dialog(self, dialog, typed):
        self.assertTrue(self.gui.set_text(dialog["hwnd"], FILE_NAME_BOX, typed))
        self.assertTrue(self.gui.click(dialog["hwnd"], text="Open"))

    def choose(self, button, title, typed):
        """Browses with the button and types the name into the dialog; returns when the
        dialog has closed."""
        dialog = self.open_dialog(button, title)
        self.type_into_dialog(dialog, typed)
        self.assertTrue(self.gui.wait_gone(dialog["hwnd"], timeout_ms=30000))
