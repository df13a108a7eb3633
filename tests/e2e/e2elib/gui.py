"""Drives windows of a running program through guidrv.exe."""
import json
import os
import unittest

needs_display = unittest.skipUnless(
    os.environ.get("DISPLAY"), "needs an X display: run under xvfb-run (scripts/test.sh)")


class GuiDriver:
    """Each call is one run of guidrv. Windows and controls are dicts as guidrv prints
    them: a window has hwnd, class, title, pid, visible; a control hwnd, id, class,
    text, style, visible, enabled, parent, and checked (buttons) or items and selected
    (list boxes); a message box hwnd, pid, title, text, buttons [{id, text}], icon and default (the
    default button's caption)."""

    def __init__(self, prefix, tools):
        self.prefix = prefix
        self.exe = tools.guidrv

    def _run(self, *args, timeout=60):
        code, out = self.prefix.run(self.exe, *[str(a) for a in args], timeout=timeout)
        if code == 2:
            raise ValueError(f"guidrv {' '.join(map(str, args))}: bad arguments\n{out}")
        return code, [json.loads(l) for l in out.splitlines() if l.startswith("{")]

    @staticmethod
    def _filters(pid=None, cls=None, title=None, timeout_ms=None):
        args = []
        if pid is not None:
            args += ["--pid", pid]
        if cls is not None:
            args += ["--class", cls]
        if title is not None:
            args += ["--title", title]
        if timeout_ms is not None:
            args += ["--timeout", timeout_ms]
        return args

    def windows(self, pid=None, cls=None, title=None, timeout_ms=0, hidden=False):
        """Visible top-level windows that match (waits up to timeout_ms for one)."""
        args = ["find", *self._filters(pid, cls, title, timeout_ms)]
        if hidden:
            args.append("--hidden")
        _, found = self._run(*args, timeout=timeout_ms / 1000 + 60)
        return found

    def find(self, pid=None, cls=None, title=None, timeout_ms=10000):
        """The first matching window, or None when none came within the timeout."""
        found = self.windows(pid, cls, title, timeout_ms)
        return found[0] if found else None

    def controls(self, hwnd):
        return self._run("controls", hwnd)[1]

    def control(self, hwnd, id):
        for c in self.controls(hwnd):
            if c["id"] == id:
                return c
        return None

    def text(self, hwnd, id=None, stored=False):
        args = ["gettext", hwnd] + (["--id", id] if id is not None else [])
        args += ["--stored"] if stored else []
        code, out = self._run(*args)
        return out[0]["text"] if code == 0 and out else None

    def set_text(self, hwnd, id, text):
        code, _ = self._run("settext", hwnd, "--id", id, "--texthex", text.encode().hex())
        return code == 0

    def click(self, hwnd, id=None, text=None, sync=False):
        """Posts BM_CLICK to the button named by id or caption (mnemonic & optional)."""
        args = ["click", hwnd] + (["--id", id] if id is not None else ["--text", text])
        if sync:
            args.append("--sync")
        return self._run(*args)[0] == 0

    def set_check(self, hwnd, id, state):
        return self._run("setcheck", hwnd, "--id", id, "--state", int(state))[0] == 0

    def select(self, hwnd, id, indices=(), texts=(), clear=True):
        """Selects list entries and tells the owner (LBN_SELCHANGE)."""
        args = ["select", hwnd, "--id", id]
        for i in indices:
            args += ["--index", i]
        for t in texts:
            args += ["--text", t]
        if clear:
            args.append("--clear")
        return self._run(*args)[0] == 0

    def command(self, hwnd, id):
        """Posts WM_COMMAND with the id, as a menu item does."""
        return self._run("command", hwnd, "--id", id)[0] == 0

    def message_box(self, pid=None, title=None, timeout_ms=10000):
        """The first complete message box (#32770 with its text and buttons), or None."""
        args = ["msgbox", *self._filters(pid, None, title, timeout_ms)]
        code, out = self._run(*args, timeout=timeout_ms / 1000 + 60)
        return out[0] if code == 0 and out else None

    def answer(self, box, button):
        """Presses a message-box button by caption ("OK", "Yes", "&No") or id."""
        if isinstance(button, int):
            return self.click(box["hwnd"], id=button)
        return self.click(box["hwnd"], text=button)

    def wait_gone(self, hwnd, timeout_ms=10000):
        return self._run("waitgone", hwnd, "--timeout", timeout_ms,
                         timeout=timeout_ms / 1000 + 60)[0] == 0

    def close(self, hwnd):
        return self._run("close", hwnd)[0] == 0
