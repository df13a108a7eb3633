"""Where the built programs are."""
import os

from .wine import _required


class Tools:
    def __init__(self, tools_dir, dorvane_exe):
        self.dir = os.path.abspath(tools_dir)
        self.dorvane = os.path.abspath(dorvane_exe) if dorvane_exe else ""
        self.dbgcap = os.path.join(self.dir, "dbgcap.exe")
        self.guidrv = os.path.join(self.dir, "guidrv.exe")
        self.winprobe = os.path.join(self.dir, "winprobe.exe")
        self.winword = os.path.join(self.dir, "WINWORD.EXE")  # no version resource
        # The stand-in with the version resource of Word 16.0 (2016 and later) or 14.0.
        self.winword_of = {major: os.path.join(self.dir, f"word{major}", "WINWORD.EXE")
                           for major in (16, 14)}
        # Excel and PowerPoint of version 16.0: {"EXCEL": path, "POWERPNT": path}.
        self.office_of = {name: os.path.join(self.dir, "office16", f"{name}.EXE")
                          for name in ("EXCEL", "POWERPNT")}
        self.ui_tests = os.path.join(os.path.dirname(self.dir), "ui_tests.exe")

    @classmethod
    def from_environment(cls):
        return cls(_required("DORVANE_TOOLS_DIR"), os.environ.get("DORVANE_EXE", ""))
