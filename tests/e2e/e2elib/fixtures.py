"""What a test sets up inside the prefix: a scratch application folder, the stand-in
Word and the user's profile folders that the program writes into."""
import hashlib
import itertools
import os
import shutil

from .links import read_link

# Wine's ntdll sets SystemDrive (the same variable as "systemdrive": Windows names
# ignore case) to C: in every process it starts, overriding whatever the parent, the
# Unix environment or an explicit environment block says. So the stand-in Word cannot
# live under a per-test "system drive"; it is installed where LocateWordExe looks on
# drive C of the shared prefix, and its presence is part of the profile that the
# end-to-end tests take turns on (CTest RESOURCE_LOCK wine_profile).
WORD_DIR = r"C:\Program Files\Microsoft Office\root\Office16"
OFFICE_DIRS = (
    r"C:\Program Files\Microsoft Office",
    r"C:\Program Files\Microsoft Office 15",
    r"C:\Program Files (x86)\Microsoft Office",
    r"C:\Program Files (x86)\Microsoft Office 15",
)
SCRATCH_ROOT = r"C:\dorvane-e2e"
DATA_FOLDERS = ("Templates", "AltIcons", "Configs")

_counter = itertools.count()


def _remove(path):
    if os.path.islink(path) or os.path.isfile(path):
        os.unlink(path)
    elif os.path.isdir(path):
        shutil.rmtree(path)


def tree_snapshot(root):
    """{relative path: ('dir',) or ('file', size, mtime_ns, sha256)} below root."""
    snap = {}
    for folder, dirs, files in os.walk(root):
        for d in dirs:
            snap[os.path.relpath(os.path.join(folder, d), root)] = ("dir",)
        for f in files:
            p = os.path.join(folder, f)
            st = os.stat(p)
            with open(p, "rb") as fh:
                digest = hashlib.sha256(fh.read()).hexdigest()
            snap[os.path.relpath(p, root)] = ("file", st.st_size, st.st_mtime_ns, digest)
    return snap


class AppFolder:
    """A fresh application folder C:\\dorvane-e2e\\<name> holding a copy of
    Dorvane.exe. win/unix are the folder's two paths; exe_win the program's."""

    def __init__(self, prefix, dorvane_exe, name=None):
        self.prefix = prefix
        name = name or f"app-{os.getpid()}-{next(_counter)}"
        self.win = SCRATCH_ROOT + "\\" + name
        self.unix = os.path.join(prefix.drive_c, "dorvane-e2e", *name.split("\\"))
        _remove(self.unix)
        os.makedirs(self.unix)
        self.exe_win = self.win + "\\Dorvane.exe"
        if dorvane_exe:
            shutil.copy2(dorvane_exe, os.path.join(self.unix, "Dorvane.exe"))

    def path(self, *parts):
        """Unix path below the folder; parts may contain / or \\ separators."""
        rel = [p for part in parts for p in part.replace("\\", "/").split("/") if p]
        return os.path.join(self.unix, *rel)

    def winpath(self, *parts):
        rel = [p for part in parts for p in part.replace("/", "\\").split("\\") if p]
        return "\\".join([self.win, *rel])

    def write(self, rel, content):
        """Writes a file (str as UTF-8, or bytes), making its folders."""
        p = self.path(rel)
        os.makedirs(os.path.dirname(p), exist_ok=True)
        with open(p, "wb") as f:
            f.write(content.encode("utf-8") if isinstance(content, str) else content)
        return p

    def write_config(self, name, template="", shortcut="", desc="", icon="", raw=None,
                     groups=None):
        """Configs\\<name>.cfg in the program's own format (ANSI, CRLF), with a Groups key
        when groups is given. raw, if given, is written instead, as is."""
        if raw is None:
            raw = ("[Config]\r\n" f"TemplateFile={template}\r\n" f"ShortcutName={shortcut}\r\n"
                   f"ShortcutDesc={desc}\r\n" f"ShortcutIcon={icon}\r\n")
            if groups is not None:
                raw += f"Groups={groups}\r\n"
        data = raw.encode("cp1252") if isinstance(raw, str) else raw
        return self.write(f"Configs/{name}.cfg", data)

    def exists(self, rel):
        return os.path.exists(self.path(rel))

    def entries(self):
        """Names directly in the folder, sorted."""
        return sorted(os.listdir(self.unix))

    def snapshot(self):
        return tree_snapshot(self.unix)

    def remove(self):
        _remove(self.unix)


class StandInWord:
    """The stand-in WINWORD.EXE (tests/tools), installed where Dorvane looks for Word;
    given another name (EXCEL, POWERPNT), that application beside it."""

    def __init__(self, prefix, winword_exe, name="WINWORD"):
        self.prefix = prefix
        self.source = winword_exe
        self.exe_win = WORD_DIR + f"\\{name}.EXE"
        self.exe_unix = os.path.join(prefix.to_unix(WORD_DIR), f"{name}.EXE")
        self.log_unix = os.path.join(prefix.to_unix(WORD_DIR), f"{name}.calls.txt")

    def install(self):
        if self.exe_unix.endswith("WINWORD.EXE"):
            self.remove()
        os.makedirs(os.path.dirname(self.exe_unix), exist_ok=True)
        shutil.copy2(self.source, self.exe_unix)

    def remove(self):
        """Leaves no Word at all in any folder LocateWordExe searches."""
        for folder in OFFICE_DIRS:
            _remove(self.prefix.to_unix(folder))

    def calls(self):
        """Every start of the stand-in so far: [{'cmdline': ..., 'cwd': ...}]."""
        if not os.path.exists(self.log_unix):
            return []
        with open(self.log_unix, encoding="utf-8") as f:
            text = f.read()
        calls = []
        for block in text.split("--\n"):
            if block.strip():
                calls.append(dict(line.split("=", 1) for line in block.splitlines()))
        return calls


class UserProfile:
    """The prefix user's Word templates folder and desktop, as Unix paths."""

    def __init__(self, prefix, tools):
        folders = prefix.user_folders(tools.winprobe)
        self.prefix = prefix
        self.templates_win = folders["appdata"] + r"\Microsoft\Templates"
        self.desktop_win = folders["desktop"]
        self.templates_unix = prefix.to_unix(self.templates_win)
        self.desktop_unix = prefix.to_unix(self.desktop_win)

    def reset(self, templates_folder=True):
        """Empties the desktop and the templates folder; the templates folder exists
        afterwards unless templates_folder is False (the program never creates it)."""
        _remove(self.templates_unix)
        if templates_folder:
            os.makedirs(self.templates_unix)
        os.makedirs(self.desktop_unix, exist_ok=True)
        for name in os.listdir(self.desktop_unix):
            _remove(os.path.join(self.desktop_unix, name))

    def templates(self):
        """File names in the user's templates folder, sorted."""
        if not os.path.isdir(self.templates_unix):
            return []
        return sorted(n for n in os.listdir(self.templates_unix)
                      if os.path.isfile(os.path.join(self.templates_unix, n)))

    def template_bytes(self, name):
        with open(os.path.join(self.templates_unix, name), "rb") as f:
            return f.read()

    def desktop(self):
        return sorted(os.listdir(self.desktop_unix))

    def links(self):
        """{file name: read_link(...)} for every .lnk on the desktop."""
        return {n: read_link(os.path.join(self.desktop_unix, n)) for n in self.desktop()
                if n.lower().endswith(".lnk")}
