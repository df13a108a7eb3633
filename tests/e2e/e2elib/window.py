"""Drives Dorvane's own windows: real keys and clicks, geometry, focus and screenshots
(guidrv's geometry, focus, keys, mouse and shot commands)."""
import os

from .gui import GuiDriver
from .shots import bmp_to_png, shots_dir

FORM1_CLASS = "DorvaneForm1"
FORM2_CLASS = "DorvaneForm2"
MENU_CLASS = "#32768"  # a menu that is open


class WindowDriver(GuiDriver):
    def geometry(self, hwnd):
        """(window, [control]): the window with style, exstyle, client and outer
        [left, top, width, height] and owner; each control below it with id, class,
        text, style, exstyle, rect (in its parent's client area) and parent_id (0 for
        the window itself)."""
        code, out = self._run("geometry", hwnd)
        if code != 0 or not out:
            raise AssertionError(f"no window {hwnd}")
        return out[0], out[1:]

    def scroll_to_bottom(self, hwnd):
        """The window's vertical scroll bar moved to its end."""
        return self._run("scroll", hwnd)[0] == 0

    def focus(self, hwnd):
        """The id of the control with the keyboard focus in hwnd's thread (0: none)."""
        code, out = self._run("focus", hwnd)
        return out[0]["id"] if code == 0 and out else None

    def keys(self, hwnd, *strokes):
        """Real key presses, one after the other, to the window (brought to the front):
        "tab", "shift+tab", "alt+h", "down", "enter", "space", "escape"..."""
        return self._run("keys", hwnd, *strokes)[0] == 0

    def mouse(self, hwnd, id, index=None, button="left"):
        """A real click on the control (on a list box's entry when index is given)."""
        args = ["mouse", hwnd, "--id", id, "--button", button]
        if index is not None:
            args += ["--index", index]
        return self._run(*args)[0] == 0

    def screenshot(self, hwnd, name):
        """Saves what the screen shows of the window as <shots dir>/<name>.png and
        returns its Picture (pixels from the window's top left corner; .path)."""
        bmp = self.prefix.scratch_file(".bmp")
        try:
            code, _ = self._run("shot", hwnd, self.prefix.to_windows(bmp))
            if code != 0:
                raise AssertionError(f"no screenshot of {hwnd}")
            return bmp_to_png(bmp, os.path.join(shots_dir(), name + ".png"))
        finally:
            os.unlink(bmp)
