"""A first logon with the program's folder on a file server, where every call that opens
or queries a file there is a round trip: the one listing of Templates and of AltIcons
says what each source is, and only the shell copy asks the file itself."""
import collections
import os
import re
from unittest import mock

from e2elib.case import DorvaneTestCase

CALL = re.compile(r':trace:file:(NtCreateFile|GetFileAttributesW|GetFileAttributesExW|'
                  r'FindFirstFileExW)\b.*?L"((?:[^"\\]|\\.)*)"')
# What copying one file asks of its source under this Wine: the copy's check that the
# source names anything, the shell's attribute query and its open for reading.
SHELL_COPY = collections.Counter(FindFirstFileExW=1, GetFileAttributesW=1, NtCreateFile=1)


class FirstLogonCallsTests(DorvaneTestCase):
    def test_sources_are_asked_only_by_their_listing_and_the_shell_copy(self):
        sources = []
        for i in range(3):
            sources += [self.app.write(f"Templates/T{i}.dotx", b"t"),
                        self.app.write(f"AltIcons/I{i}.ico", b"i")]
            self.app.write_config(f"C{i}", template=f"T{i}.dotx", shortcut=f"S{i}",
                                  icon=f"I{i}.ico")
        with mock.patch.dict(os.environ, DORVANE_WINEDEBUG="+file"):
            run = self.run_dorvane("/installall")
        self.assertEqual(run.exit_code, 0, run.lines)
        self.assertEqual(len(self.profile.templates()), len(sources))
        calls = {self.prefix.to_windows(p).lower(): collections.Counter() for p in sources}
        for kind, path in CALL.findall(run.output):
            path = path.replace("\\\\", "\\").lower().removeprefix("\\??\\")
            if path in calls:
                calls[path][kind] += 1
        for path, kinds in calls.items():
            self.assertEqual(kinds["NtCreateFile"], 1, path)  # the copy's read is traced
            self.assertLessEqual(kinds, SHELL_COPY, path)
