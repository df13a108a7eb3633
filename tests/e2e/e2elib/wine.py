"""The build's Wine prefix: running programs through tests/harness/wine-run.sh and
mapping paths between Windows and Unix."""
import json
import ntpath
import os
import subprocess
import tempfile


class WinePrefix:
    def __init__(self, root, wine_run):
        self.root = os.path.abspath(root)
        self.wine_run = os.path.abspath(wine_run)
        self.prefix = os.path.join(self.root, "prefix")
        self._folders = None

    @classmethod
    def from_environment(cls):
        return cls(_required("DORVANE_WINE_ROOT"), _required("DORVANE_WINE_RUN"))

    def command(self, program, *args):
        return [self.wine_run, self.root, program, *args]

    def run(self, program, *args, timeout=120):
        """Runs a program to its end; returns (exit code, its output as text)."""
        proc = subprocess.run(self.command(program, *args), stdin=subprocess.DEVNULL,
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              timeout=timeout)
        return proc.returncode, proc.stdout.decode("utf-8", "replace")

    def start(self, program, *args):
        """Starts a program and returns its subprocess.Popen (output to a pipe)."""
        return subprocess.Popen(self.command(program, *args), stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT)

    def scratch_file(self, suffix=""):
        """A fresh empty Unix file inside the build's Wine root (readable from Wine)."""
        folder = os.path.join(self.root, "e2e-tmp")
        os.makedirs(folder, exist_ok=True)
        fd, path = tempfile.mkstemp(suffix=suffix, dir=folder)
        os.close(fd)
        return path

    # --- paths ------------------------------------------------------------------------

    @property
    def drive_c(self):
        return os.path.join(self.prefix, "drive_c")

    def to_unix(self, win_path):
        """C:\\a\\b -> <prefix>/drive_c/a/b (symbolic links resolved, so that the user's
        Desktop lands in the throw-away HOME); Z:\\x -> /x."""
        drive, rest = ntpath.splitdrive(win_path)
        parts = [p for p in rest.split("\\") if p]
        if drive.upper() == "Z:":
            return "/" + "/".join(parts)
        if drive.upper() != "C:":
            raise ValueError("no Unix path for " + win_path)
        return os.path.realpath(os.path.join(self.drive_c, *parts))

    def to_windows(self, unix_path):
        """<prefix>/drive_c/a -> C:\\a; any other path -> Z:\\path."""
        path = os.path.abspath(unix_path)
        for base in (self.drive_c, os.path.realpath(self.drive_c)):
            if path == base or path.startswith(base + os.sep):
                rel = os.path.relpath(path, base)
                return "C:\\" + ("" if rel == "." else rel.replace("/", "\\"))
        return "Z:" + path.replace("/", "\\")

    def user_folders(self, winprobe):
        """The Windows paths of the current user's folders, as the shell reports them
        (asked once per prefix through winprobe.exe): {'appdata': 'C:\\users\\...
        \\AppData\\Roaming', 'desktop': ...}."""
        if self._folders is None:
            code, out = self.run(winprobe, "folders")
            if code != 0:
                raise RuntimeError("winprobe folders failed: " + out)
            self._folders = {}
            for line in out.splitlines():
                if line.startswith("{"):
                    item = json.loads(line)
                    self._folders[item["name"]] = item["path"]
        return self._folders


def _required(name):
    value = os.environ.get(name)
    if not value:
        raise RuntimeError(f"{name} is not set: run the end-to-end tests through CTest")
    return value
