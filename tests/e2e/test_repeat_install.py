"""Installing again on a profile that already holds the result: what is unchanged is
left alone (no copy, no shortcut save), anything that differs is written as before.

"Left alone" is read from the inode change time: any write to a file, even one that
puts back the same bytes and the same last-write time, moves it."""
import os
import time
import unittest

from e2elib.case import DorvaneTestCase

EXIT_OK = 0
HOUR_NS = 3600 * 10**9
NOT_COPIED = "unchanged, not copied: "
NOT_SAVED = "unchanged, not saved: "


class RepeatCase(DorvaneTestCase):
    def setUp(self):
        super().setUp()
        self.app.write("Templates/Letter.dotx", b"letter v1")
        self.app.write("Templates/Memo.dotx", b"memo")
        self.app.write("AltIcons/letter.ico", b"icon v1")
        self.app.write("AltIcons/other.ico", b"other icon")
        self.app.write_config("Letter", template="Letter.dotx", shortcut="Letter",
                              desc="New letter", icon="letter.ico")
        self.app.write_config("Memo", template="Memo.dotx")

    def installed(self, name):
        return os.path.join(self.profile.templates_unix, name)

    def lnk(self, name="Letter"):
        return os.path.join(self.profile.desktop_unix, name + ".lnk")

    def stamps(self, paths):
        """{path: (inode change time, last-write time)}; a missing file maps to None."""
        out = {}
        for p in paths:
            try:
                st = os.stat(p)
                out[p] = (st.st_ctime_ns, st.st_mtime_ns)
            except FileNotFoundError:
                out[p] = None
        return out

    def run_ok(self, tail):
        run = self.run_dorvane(tail)
        self.assertEqual(run.exit_code, EXIT_OK, run.lines)
        # Change times are coarse on some file systems; the next write must move them.
        time.sleep(0.05)
        return run

    def skipped(self, run, prefix):
        return [line.strip() for line in run.lines if line.strip().startswith(prefix)]

    def rewrite(self, path, content, mtime_ns):
        with open(path, "wb") as f:
            f.write(content)
        os.utime(path, ns=(mtime_ns, mtime_ns))


class UnchangedTests(RepeatCase):
    def test_second_installall_copies_nothing_and_saves_no_shortcut(self):
        self.run_ok("/installall")
        files = [self.installed("Letter.dotx"), self.installed("Memo.dotx"),
                 self.installed("letter.ico"), self.lnk()]
        before = self.stamps(files)
        self.assertNotIn(None, before.values())

        run = self.run_ok("/installall")
        self.assertEqual(self.stamps(files), before, run.lines)
        self.assertEqual(sorted(self.skipped(run, NOT_COPIED)),
                         sorted(NOT_COPIED + self.profile.templates_win + "\\" + n
                                for n in ("Letter.dotx", "Memo.dotx", "letter.ico")), run.lines)
        self.assertEqual(self.skipped(run, NOT_SAVED),
                         [NOT_SAVED + self.profile.desktop_win + "\\Letter.lnk"], run.lines)

    def test_copy_of_one_named_file_is_skipped_but_wildcards_and_copyall_copy(self):
        for tail, left_alone in (("/copy Letter.dotx", True), ("/copy *.dotx", False),
                                 ("/copy Letter.dot?", False), ("/copyall", False)):
            with self.subTest(tail=tail):
                self.profile.reset()
                self.run_ok(tail)
                target = [self.installed("Letter.dotx")]
                before = self.stamps(target)
                run = self.run_ok(tail)
                self.assertEqual(self.stamps(target) == before, left_alone, run.lines)
                self.assertEqual(len(self.skipped(run, NOT_COPIED)), int(left_alone), run.lines)


class DifferenceTests(RepeatCase):
    def test_any_difference_between_source_and_copy_copies_again(self):
        src = self.app.path("Templates/Letter.dotx")
        icon_src = self.app.path("AltIcons/letter.ico")
        dest = self.installed("Letter.dotx")
        icon_dest = self.installed("letter.ico")

        def mtime(path):
            return os.stat(path).st_mtime_ns

        # (what changed, the file that must be fresh again, change to make)
        cases = (
            ("template updated by the administrator", dest,
             lambda: self.rewrite(src, b"letter v2", mtime(src) + HOUR_NS)),
            ("installed copy edited, other size", dest,
             lambda: self.rewrite(dest, b"letter v1, edited", mtime(dest))),
            ("installed copy edited, older time", dest,
             lambda: self.rewrite(dest, b"letter XX", mtime(dest) - HOUR_NS)),
            ("installed copy edited, newer time", dest,
             lambda: self.rewrite(dest, b"letter XX", mtime(dest) + HOUR_NS)),
            ("installed icon edited in place", icon_dest,
             lambda: self.rewrite(icon_dest, b"icon XX", mtime(icon_dest) - HOUR_NS)),
            ("installed copy deleted", dest, lambda: os.unlink(dest)),
        )
        for what, fresh, change in cases:
            with self.subTest(what=what):
                self.profile.reset()
                self.app.write("Templates/Letter.dotx", b"letter v1")
                self.run_ok("/installall")
                change()
                run = self.run_ok("/installall")
                source = src if fresh == dest else icon_src
                with open(fresh, "rb") as f, open(source, "rb") as g:
                    self.assertEqual(f.read(), g.read(), run.lines)
                # Wine keeps file times in 100 ns steps.
                self.assertEqual(mtime(fresh) // 100, mtime(source) // 100)
                name = os.path.basename(fresh)
                self.assertFalse([l for l in self.skipped(run, NOT_COPIED) if l.endswith(name)],
                                 run.lines)

    def test_a_shortcut_that_differs_from_the_configuration_is_written_anew(self):
        # (what changed, change to make, field: expected value afterwards)
        icon_copy = self.profile.templates_win + "\\other.ico"
        cases = (
            ("description", lambda: self.app.write_config(
                "Letter", template="Letter.dotx", shortcut="Letter", desc="Changed",
                icon="letter.ico"), "description", "Changed"),
            ("icon", lambda: self.app.write_config(
                "Letter", template="Letter.dotx", shortcut="Letter", desc="New letter",
                icon="other.ico"), "icon_location", icon_copy),
            ("template", lambda: self.app.write_config(
                "Letter", template="Memo.dotx", shortcut="Letter", desc="New letter",
                icon="letter.ico"), "arguments", '/t"Memo.dotx"'),
            ("deleted by the user", lambda: os.unlink(self.lnk()), "description", "New letter"),
            ("not a shortcut any more", lambda: self.rewrite(self.lnk(), b"junk", 0),
             "description", "New letter"),
        )
        for what, change, field, expected in cases:
            with self.subTest(what=what):
                self.profile.reset()
                self.app.write_config("Letter", template="Letter.dotx", shortcut="Letter",
                                      desc="New letter", icon="letter.ico")
                self.run_ok("/installall")
                change()
                run = self.run_ok("/installall")
                self.assertEqual(self.profile.links()["Letter.lnk"][field], expected, run.lines)
                self.assertEqual(self.skipped(run, NOT_SAVED), [], run.lines)


if __name__ == "__main__":
    unittest.main()
