#!/usr/bin/python3
"""Deterministic test data for the benchmark.

  gen_tree.py office   OUT [--seed N]   an Office-shaped tree below OUT/Program Files
  gen_tree.py wordonly OUT              the same root holding only Word
  gen_tree.py install  APPDIR [--seed N] [--count N]
                                        Templates, AltIcons and Configs for /installall,
                                        plus plan.txt for the minimal installer
  gen_tree.py configs  APPDIR [--count N]
                                        Configs alone, for the window's list

The Office tree copies the shape of a click-to-run installation: Word in
"root\\Office16", a staged update holding a second, deeper copy, language and
theme folders, and a long tail of smaller folders, 2,500 folders and 25,000 files in
all, nine levels deep at most. A few files and folders carry the hidden attribute the
way Wine stores it for a Unix file system (the "user.DOSATTRIB" extended attribute),
so the search has to skip hidden folders and still list hidden files.
"""
import argparse
import os
import random
import sys

OFFICE = ("Program Files", "Microsoft Office")
WORD = "WINWORD.EXE"
FOLDERS = 2500
FILES = 25000
MAX_DEPTH = 9  # folder levels below "Microsoft Office"
HIDDEN_FOLDERS = 6
HIDDEN_FILE_SHARE = 0.01

# Fixed skeleton: what every current installation has, with the folders that hold
# most of the files. Depth is counted from "Microsoft Office" (0).
SKELETON = {
    "root": 20,
    "root/Office16": 2600,  # Word's folder: the big one
    "root/Office16/1033": 300,
    "root/Office16/ADDINS": 40,
    "root/Office16/Bibliography": 4,
    "root/Office16/Bibliography/Style": 24,
    "root/Office16/DCF": 160,
    "root/Office16/LogoImages": 60,
    "root/Office16/PROOF": 30,
    "root/Office16/SDXHelper": 70,
    "root/Office16/STARTUP": 0,
    "root/Office16/Visio Content": 2,
    "root/Office16/Visio Content/1033": 240,
    "root/Templates": 2,
    "root/Templates/1033": 120,
    "root/Document Themes 16": 60,
    "root/Document Themes 16/Theme Colors": 50,
    "root/Document Themes 16/Theme Fonts": 50,
    "root/Document Themes 16/Theme Effects": 40,
    "root/Integration": 30,
    "root/Licenses16": 500,
    "root/rsod": 40,
    "root/Client": 30,
    "root/vfs": 0,
    "root/vfs/Fonts": 0,
    "root/vfs/Fonts/private": 180,
    "root/vfs/ProgramFilesCommonX86": 0,
    "root/vfs/ProgramFilesCommonX86/Microsoft Shared": 4,
    "root/vfs/ProgramFilesCommonX86/Microsoft Shared/OFFICE16": 300,
    "root/vfs/ProgramFilesX86": 0,
    "root/vfs/ProgramFilesX86/Microsoft Office": 2,
    "root/vfs/ProgramFilesX86/Microsoft Office/Office16": 200,
    "root/vfs/System": 120,
    "root/vfs/SystemX86": 160,
    "Updates": 2,
    "Updates/Download": 2,
    "Updates/Download/PackageFiles": 0,
    "Updates/Download/PackageFiles/{9AC08E99-230B-47E8-9721-4577B7F124EA}": 6,
    "Updates/Download/PackageFiles/{9AC08E99-230B-47E8-9721-4577B7F124EA}/root": 4,
    "Updates/Download/PackageFiles/{9AC08E99-230B-47E8-9721-4577B7F124EA}/root/Office16": 400,
    "Updates/Apply": 10,
    "PackageManifests": 40,
    "PackageSunrisePolicies": 6,
    "FileSystemMetadata": 20,
}
WORD_AT = ("root/Office16",
           "Updates/Download/PackageFiles/{9AC08E99-230B-47E8-9721-4577B7F124EA}/root/Office16")

SYLLABLES = ("mso", "word", "excel", "off", "ice", "shared", "res", "ource", "intl",
             "spell", "proof", "theme", "font", "color", "lang", "addin", "view",
             "doc", "tmpl", "data", "core", "ui", "grph", "chart", "ink", "media",
             "sync", "cloud", "lic", "appv", "isv", "vb", "dlg", "msg", "tab", "bar",
             "rich", "edit", "ctl", "ext", "com", "net", "web", "html", "xml", "rt",
             "pdf", "img", "ocr", "math", "eq", "dict", "gram", "thes", "hyph")
EXTENSIONS = ("dll", "dll", "dll", "dll", "exe", "xml", "xml", "dotx", "thmx", "ttf",
              "png", "png", "json", "msi", "cab", "man", "tlb", "olb", "lex", "dic",
              "hxs", "chm", "cnv", "wpc", "dat", "bin", "config", "xsl", "js", "css")
DIR_WORDS = ("Media", "Resources", "Microsoft.Office", "Addins", "Proofing Tools",
             "Stationery", "Clipart", "Bitmaps", "Dialogs", "Wizards", "Samples",
             "Backgrounds", "Content", "Gallery", "Tools", "Converters", "Filters",
             "Graphics", "Help", "Locale", "Manifests", "Schemas", "Styles", "Themes")
LANGS = ("1025", "1028", "1029", "1030", "1031", "1032", "1033", "1035", "1036",
         "1037", "1038", "1040", "1041", "1042", "1043", "1044", "1045", "1046",
         "1049", "1053", "1055", "2052", "2070", "3082")


def word(rng, upper=False):
    text = "".join(rng.choice(SYLLABLES) for _ in range(rng.randint(1, 3)))
    return text.upper() if upper else text.capitalize()


def file_name(rng):
    style = rng.random()
    ext = rng.choice(EXTENSIONS)
    if style < 0.3:  # MSOSPELL.DLL
        stem = word(rng, upper=True)[:8]
        return f"{stem}.{ext.upper()}"
    if style < 0.7:  # Microsoft.Office.Interop.Word.dll
        parts = [word(rng) for _ in range(rng.randint(2, 5))]
        return ".".join(parts) + "." + ext
    # office_shared_resources_1033.xml
    parts = [word(rng).lower() for _ in range(rng.randint(1, 4))]
    if rng.random() < 0.3:
        parts.append(rng.choice(LANGS))
    return "_".join(parts) + "." + ext


def dir_name(rng):
    r = rng.random()
    if r < 0.2:
        return rng.choice(LANGS)
    if r < 0.3:
        return "{%08X-%04X-%04X-%04X-%012X}" % (rng.getrandbits(32), rng.getrandbits(16),
                                                rng.getrandbits(16), rng.getrandbits(16),
                                                rng.getrandbits(48))
    if r < 0.6:
        return rng.choice(DIR_WORDS) + ("" if rng.random() < 0.5 else " " + word(rng))
    return word(rng) + ("" if rng.random() < 0.6 else word(rng))


def set_hidden(path):
    # Wine keeps DOS attributes of Unix files in this attribute, as a hex number.
    os.setxattr(path, "user.DOSATTRIB", b"0x2")


class Tree:
    def __init__(self):
        self.folders = {}  # relative path -> depth
        self.names = {}  # relative folder -> set of lower-case names in it
        self.files = {}  # relative folder -> list of file names

    def add_folder(self, rel):
        parent, _, name = rel.rpartition("/")
        if parent and parent not in self.folders:
            self.add_folder(parent)
        if rel in self.folders:
            return False
        if name.lower() in self.names.setdefault(parent, set()):
            return False
        self.names[parent].add(name.lower())
        self.folders[rel] = rel.count("/") + 1 if rel else 0
        self.names.setdefault(rel, set())
        self.files.setdefault(rel, [])
        return True

    def add_file(self, folder, name):
        if name.lower() in self.names[folder]:
            return False
        self.names[folder].add(name.lower())
        self.files[folder].append(name)
        return True


def build_office(rng):
    tree = Tree()
    tree.add_folder("")  # "Microsoft Office" itself
    for rel in SKELETON:
        tree.add_folder(rel)
    # One chain reaches the deepest level, so the search meets the full depth.
    chain = "root/Office16/Visio Content/1033"
    while tree.folders[chain] < MAX_DEPTH:
        nxt = chain + "/" + dir_name(rng)
        if tree.add_folder(nxt):
            chain = nxt
    # The long tail: folders below random parents, nearer the top more often.
    parents = [f for f in tree.folders if f]
    while len(tree.folders) - 1 < FOLDERS:
        parent = rng.choice(parents)
        if tree.folders[parent] >= MAX_DEPTH:
            continue
        if tree.folders[parent] >= 5 and rng.random() < 0.5:
            continue
        child = parent + "/" + dir_name(rng)
        if tree.add_folder(child):
            parents.append(child)

    for rel in WORD_AT:
        for exe in (WORD, "EXCEL.EXE", "POWERPNT.EXE"):
            tree.add_file(rel, exe)
    for rel, count in SKELETON.items():
        while len(tree.files[rel]) < count:
            tree.add_file(rel, file_name(rng))
    others = [f for f in tree.folders if f not in SKELETON]
    total = sum(len(v) for v in tree.files.values())
    while total < FILES:
        folder = rng.choice(others)
        for _ in range(rng.randint(1, 24)):
            if total >= FILES:
                break
            if tree.add_file(folder, file_name(rng)):
                total += 1
    return tree


def hidden_choice(rng, tree):
    # Hidden folders away from Word's, each with something inside it that the search
    # must not see; and one file in a hundred hidden, which it must list.
    candidates = sorted(f for f in tree.folders
                        if f and f not in SKELETON and not f.startswith("root/Office16/Visio"))
    hidden_dirs = set(rng.sample(candidates, HIDDEN_FOLDERS))
    hidden_files = set()
    for folder in sorted(tree.files):
        for name in tree.files[folder]:
            if name != WORD and rng.random() < HIDDEN_FILE_SHARE:
                hidden_files.add((folder, name))
    return hidden_dirs, hidden_files


def write_office(out, seed):
    rng = random.Random(seed)
    tree = build_office(rng)
    hidden_dirs, hidden_files = hidden_choice(rng, tree)
    base = os.path.join(out, *OFFICE)
    for rel in sorted(tree.folders, key=lambda r: (r.count("/"), r)):
        os.makedirs(os.path.join(base, rel) if rel else base, exist_ok=True)
    for folder, names in tree.files.items():
        for name in names:
            path = os.path.join(base, folder, name)
            with open(path, "wb") as f:
                if name == WORD:
                    f.write(b"MZ" + bytes(510))
            if (folder, name) in hidden_files:
                set_hidden(path)
    for rel in hidden_dirs:
        set_hidden(os.path.join(base, rel))
    below_hidden = sum(1 for f in tree.folders
                       if any(f == h or f.startswith(h + "/") for h in hidden_dirs))
    print(f"office tree: {len(tree.folders)} folders ({below_hidden} hidden or below hidden), "
          f"{sum(len(v) for v in tree.files.values())} files ({len(hidden_files)} hidden), "
          f"depth {max(tree.folders.values())}, Word in: " + "; ".join(WORD_AT))


def write_wordonly(out):
    folder = os.path.join(out, *OFFICE, "root", "Office16")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, WORD), "wb") as f:
        f.write(b"MZ" + bytes(510))


def icon_bytes(rng, size):
    # A one-image icon directory in front of an image of the right length; the
    # shell only copies it and stores its path.
    image = size - 22
    header = bytes([0, 0, 1, 0, 1, 0, 32, 32, 0, 0, 1, 0, 32, 0])
    header += image.to_bytes(4, "little") + (22).to_bytes(4, "little")
    return header + rng.randbytes(image)


def write_install(appdir, seed, count, every=2, mixed=False):
    rng = random.Random(seed)
    dirs = {n: os.path.join(appdir, n) for n in ("Templates", "AltIcons", "Configs")}
    for d in dirs.values():
        os.makedirs(d, exist_ok=True)
    plan = []
    for i in range(count):
        # Mixed: a third each of Word, Excel and PowerPoint templates.
        template = f"Company Letter {i:03d}" + ((".dotx", ".xltx", ".potx")[i % 3] if mixed
                                                 else ".dotx")
        with open(os.path.join(dirs["Templates"], template), "wb") as f:
            f.write(rng.randbytes(rng.randint(20 * 1024, 60 * 1024)))
        lines = ["[Config]", f"TemplateFile={template}"]
        shortcut = icon = desc = ""
        if i % every == 0:
            shortcut = f"Letter {i:03d}"
            desc = f"New letter on company paper, layout {i:03d}"
            icon = f"Letter {i:03d}.ico"
            with open(os.path.join(dirs["AltIcons"], icon), "wb") as f:
                f.write(icon_bytes(rng, rng.randint(4 * 1024, 10 * 1024)))
        lines += [f"ShortcutName={shortcut}", f"ShortcutDesc={desc}", f"ShortcutIcon={icon}"]
        with open(os.path.join(dirs["Configs"], f"Config {i:03d}.cfg"), "w", newline="\r\n",
                  encoding="ascii") as f:
            f.write("\n".join(lines) + "\n")
        plan.append("\t".join((template, icon, shortcut, desc)))
    # What the minimal installer does, one configuration a line, in no particular
    # order of the file system: it makes the same copies and the same shortcuts.
    with open(os.path.join(appdir, "plan.txt"), "w", newline="\r\n", encoding="ascii") as f:
        f.write("\n".join(plan) + "\n")
    print(f"install data: {count} configurations, {(count + every - 1) // every} with icon and "
          "shortcut")


def write_configs(appdir, count):
    configs = os.path.join(appdir, "Configs")
    os.makedirs(configs, exist_ok=True)
    for i in range(count):
        with open(os.path.join(configs, f"Config {i:05d}.cfg"), "w", newline="\r\n",
                  encoding="ascii") as f:
            f.write(f"[Config]\nTemplateFile=Template {i:05d}.dotx\nShortcutName=\n"
                    "ShortcutDesc=\nShortcutIcon=\n")
    print(f"list data: {count} configurations")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("what", choices=("office", "wordonly", "install", "configs"))
    ap.add_argument("out")
    ap.add_argument("--seed", type=int, default=20240611)
    ap.add_argument("--count", type=int, default=200)
    ap.add_argument("--mixed", action="store_true", help="install: a third each of .dotx, "
                    ".xltx and .potx templates")
    ap.add_argument("--every", type=int, default=2, help="every N-th configuration (install) "
                    "has an icon and a shortcut")
    args = ap.parse_args()
    if args.what == "office":
        write_office(args.out, args.seed)
    elif args.what == "wordonly":
        write_wordonly(args.out)
    elif args.what == "configs":
        write_configs(args.out, args.count)
    else:
        write_install(args.out, args.seed, args.count, args.every, args.mixed)
    return 0


if __name__ == "__main__":
    sys.exit(main())
