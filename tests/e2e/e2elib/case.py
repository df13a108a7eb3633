"""The base class of the end-to-end tests."""
import os
import unittest

from .capture import RunningCapture, capture
from .fixtures import AppFolder, StandInWord, UserProfile
from .gui import GuiDriver
from .registry import Registry
from .tools import Tools
from .wine import WinePrefix


class DorvaneTestCase(unittest.TestCase):
    """Each test gets: self.prefix (WinePrefix), self.tools (Tools), self.app (a fresh
    AppFolder with Dorvane.exe), self.word (StandInWord, installed when WORD_INSTALLED
    is True), self.profile (UserProfile, emptied) and self.gui (GuiDriver).

    self.run_dorvane(tail) runs Dorvane.exe with the exact argument string tail and
    returns a DebugRun (exit_code, lines, records); self.start_dorvane(tail) returns a
    RunningCapture for tests that drive windows while it runs."""

    WORD_INSTALLED = True
    NEEDS_DORVANE = True
    TIMEOUT_MS = 60000

    def setUp(self):
        self.prefix = WinePrefix.from_environment()
        self.tools = Tools.from_environment()
        if self.NEEDS_DORVANE and not os.path.isfile(self.tools.dorvane):
            self.fail(f"Dorvane.exe is not built ({self.tools.dorvane or 'DORVANE_EXE unset'})")
        self.gui = GuiDriver(self.prefix, self.tools)
        self.profile = UserProfile(self.prefix, self.tools)
        self.profile.reset()
        self.word = StandInWord(self.prefix, self.tools.winword)
        if self.WORD_INSTALLED:
            self.word.install()
        else:
            self.word.remove()
        self.addCleanup(self.word.remove)
        self.app = AppFolder(self.prefix, self.tools.dorvane if self.NEEDS_DORVANE else "",
                             name=self._folder_name())
        if not os.environ.get("DORVANE_E2E_KEEP"):
            self.addCleanup(self.app.remove)
        self._running = []
        self.addCleanup(self._stop_running)

    def _folder_name(self):
        return f"{type(self).__name__}.{self._testMethodName}-{os.getpid()}"

    def _stop_running(self):
        for run in self._running:
            run.kill()

    def _dorvane_kwargs(self, tail, cwd, timeout_ms, env):
        return dict(tail=tail, cwd=self.app.win if cwd is None else cwd,
                    timeout_ms=timeout_ms or self.TIMEOUT_MS, env=env)

    def run_dorvane(self, tail="", cwd=None, timeout_ms=None, env=None):
        """Runs Dorvane.exe from the app folder (started in it unless cwd says
        otherwise) with the exact argument string tail, to its end."""
        return capture(self.prefix, self.tools, self.app.exe_win,
                       **self._dorvane_kwargs(tail, cwd, timeout_ms, env))

    def start_dorvane(self, tail="", cwd=None, timeout_ms=None, env=None):
        run = RunningCapture(self.prefix, self.tools, self.app.exe_win,
                             **self._dorvane_kwargs(tail, cwd, timeout_ms, env))
        self._running.append(run)
        return run

    def office(self, name):
        """The stand-in EXCEL or POWERPNT, installed beside Word."""
        app = StandInWord(self.prefix, self.tools.office_of[name], name)
        app.install()
        # Found with a template installed, it gets File > New's folder in the shared prefix.
        key = {"EXCEL": "Excel", "POWERPNT": "PowerPoint"}[name]
        self.addCleanup(Registry(self.prefix).delete,
                        rf"HKCU\Software\Microsoft\Office\16.0\{key}\Options", "PersonalTemplates")
        return app

    def assertDataFolders(self, present=True):
        for name in ("Templates", "AltIcons", "Configs"):
            path = self.app.path(name)
            if present:
                self.assertTrue(os.path.isdir(path), f"{name} is missing")
            else:
                self.assertFalse(os.path.exists(path), f"{name} was created")
