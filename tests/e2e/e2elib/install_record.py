"""The install record in the prefix user's registry, read and cleared with Wine's reg.exe
(its "query" prints 64-bit values as "(null)", so records are read from an export)."""
import os
import re

RECORD_KEY = r"HKCU\Software\Dorvane\Installed"
_LINE = re.compile(r'^"((?:[^"\\]|\\.)*)"=(?:"((?:[^"\\]|\\.)*)"|dword:([0-9a-f]{8})|hex\(b\):(.*))$')


def read_record(prefix, name):
    """{value name: str or int} of one configuration's record; {} when it has none."""
    out = prefix.scratch_file(".reg")
    try:
        code, _ = prefix.run("reg", "export", RECORD_KEY + "\\" + name, prefix.to_windows(out), "/y")
        if code != 0:
            return {}
        with open(out, "rb") as f:
            text = f.read().decode("utf-16")
    finally:
        os.unlink(out)
    unescape = lambda s: re.sub(r"\\(.)", r"\1", s)
    record = {}
    for line in text.splitlines():
        m = _LINE.match(line.strip())
        if m:
            text_value, dword, qword = m.group(2, 3, 4)
            record[unescape(m.group(1))] = (
                unescape(text_value) if text_value is not None else int(dword, 16)
                if dword else int.from_bytes(bytes.fromhex(qword.replace(",", "")), "little"))
    return record


def forget_records(prefix):
    """Removes every configuration's record (records of earlier tests share the prefix)."""
    prefix.run("reg", "delete", RECORD_KEY, "/f")
