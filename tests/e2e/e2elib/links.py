"""Reads a shell link (.lnk) back with lnkinfo (Debian's liblnk-utils)."""
import re
import struct
import subprocess

_FIELD = re.compile(r"^\t(?P<key>[^\t:][^\t]*?)\t+: ?(?P<value>.*)$")
_NAMES = {
    "Local path": "target",
    "Command line arguments": "arguments",
    "Working directory": "working_directory",
    "Description": "description",
    "Icon location": "icon_location",
    "Relative path": "relative_path",
}


def parse_lnkinfo(text):
    """The fields of lnkinfo's "Link information" section: {label: value}."""
    fields, inside = {}, False
    for line in text.splitlines():
        if line.startswith("Link information:"):
            inside = True
            continue
        if inside and line and not line.startswith("\t"):
            break
        m = _FIELD.match(line) if inside else None
        if m:
            fields[m.group("key").strip()] = m.group("value")
    return fields


def read_link(path):
    """A dict with target, arguments, working_directory, description, icon_location
    (each "" when the link has none), icon_index, show_command and hotkey (ints), and
    fields (everything lnkinfo printed). lnkinfo misprints the show command as 0, so
    it and the hot key come from the file's header itself (offsets 0x3C and 0x40)."""
    proc = subprocess.run(["lnkinfo", path], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          stdin=subprocess.DEVNULL, timeout=60)
    if proc.returncode != 0:
        raise RuntimeError(f"lnkinfo {path}: {proc.stderr.decode('utf-8', 'replace')}")
    fields = parse_lnkinfo(proc.stdout.decode("utf-8", "replace"))
    with open(path, "rb") as f:
        header = f.read(0x4C)
    if len(header) < 0x4C or header[:4] != b"\x4c\x00\x00\x00":
        raise ValueError(f"{path} is no shell link")
    (icon_index, show, hotkey) = struct.unpack_from("<iIH", header, 0x38)
    link = {name: fields.get(label, "") for label, name in _NAMES.items()}
    link.update(icon_index=icon_index, show_command=show, hotkey=hotkey, fields=fields)
    return link
