"""Installing again on a profile that already holds the result: what is unchanged is
left alone (no copy, no shortcut save), anything that differs is written as before.

"Left alone" is read from the inode change time: any write to a file, even one that
puts back the same bytes and the same last-write time, moves it."""
import os
import time

from e2elib.case import DorvaneTestCase

HOUR_NS = 3600 * 10**9
NOT_COPIED, NOT_SAVED = "unchanged, not copied: ", "unchanged, not saved: "


class RepeatInstallTests(DorvaneTestCase):
    def setUp(self):
        super().setUp()
        for rel, data in (("Templates/Letter.dotx", b"letter v1"), ("Templates/Memo.dotx", b"memo"),
                          ("AltIcons/letter.ico", b"icon v1"), ("AltIcons/other.ico", b"other")):
            self.app.write(rel, data)
        self.configure()
        self.app.write_config("Memo", template="Memo.dotx")
        self.tpl = os.path.join(self.profile.templates_unix, "Letter.dotx")
        self.ico = os.path.join(self.profile.templates_unix, "letter.ico")
        self.lnk = os.path.join(self.profile.desktop_unix, "Letter.lnk")

    def configure(self, template="Letter.dotx", desc="New letter", icon="letter.ico"):
        self.app.write_config("Letter", template=template, shortcut="Letter", desc=desc, icon=icon)

    def run_ok(self, tail):
        run = self.run_dorvane(tail)
        self.assertEqual(run.exit_code, 0, run.lines)
        time.sleep(0.05)  # change times are coarse on some file systems
        return run

    def skipped(self, run, prefix):
        return [line.strip() for line in run.lines if line.strip().startswith(prefix)]

    def stamps(self, *paths):
        return [(os.stat(p).st_ctime_ns, os.stat(p).st_mtime_ns) for p in paths]

    def edit(self, path, content, shift_ns):
        mtime = os.stat(path).st_mtime_ns + shift_ns
        with open(path, "wb") as f:
            f.write(content)
        os.utime(path, ns=(mtime, mtime))

    def test_second_run_writes_nothing(self):
        self.run_ok("/installall")
        memo = os.path.join(self.profile.templates_unix, "Memo.dotx")
        before = self.stamps(self.tpl, memo, self.ico, self.lnk)
        run = self.run_ok("/installall")
        self.assertEqual(self.stamps(self.tpl, memo, self.ico, self.lnk), before, run.lines)
        self.assertEqual(sorted(self.skipped(run, NOT_COPIED)),
                         [NOT_COPIED + self.profile.templates_win + "\\" + n
                          for n in ("Letter.dotx", "Memo.dotx", "letter.ico")], run.lines)
        self.assertEqual(self.skipped(run, NOT_SAVED),
                         [NOT_SAVED + self.profile.desktop_win + "\\Letter.lnk"], run.lines)

    def test_copy_skips_one_named_file_but_not_wildcards_or_copyall(self):
        for tail, left_alone in (("/copy Letter.dotx", True), ("/copy Letter.dot?", False),
                                 ("/copyall", False)):
            with self.subTest(tail=tail):
                self.profile.reset()
                self.run_ok(tail)
                before = self.stamps(self.tpl)
                run = self.run_ok(tail)
                self.assertEqual(self.stamps(self.tpl) == before, left_alone, run.lines)
                self.assertEqual(len(self.skipped(run, NOT_COPIED)), int(left_alone), run.lines)

    def test_any_difference_is_written_again(self):
        src = self.app.path("Templates/Letter.dotx")
        other_icon = self.profile.templates_win + "\\other.ico"
        # (what changed, the change, the file that must match its source again or the
        # shortcut field that must hold the new value)
        cases = (
            ("template updated", lambda: self.edit(src, b"letter v2", HOUR_NS), (self.tpl, src)),
            ("copy edited, other size", lambda: self.edit(self.tpl, b"letter v1 edited", 0),
             (self.tpl, src)),
            ("copy edited, older", lambda: self.edit(self.tpl, b"letter XX", -HOUR_NS),
             (self.tpl, src)),
            ("copy edited, newer", lambda: self.edit(self.tpl, b"letter XX", HOUR_NS),
             (self.tpl, src)),
            ("icon edited", lambda: self.edit(self.ico, b"icon XX", -HOUR_NS),
             (self.ico, self.app.path("AltIcons/letter.ico"))),
            ("description", lambda: self.configure(desc="Changed"), ("description", "Changed")),
            ("icon", lambda: self.configure(icon="other.ico"), ("icon_location", other_icon)),
            ("template", lambda: self.configure(template="Memo.dotx"),
             ("arguments", '/t"Memo.dotx"')),
            ("shortcut deleted", lambda: os.unlink(self.lnk), ("description", "New letter")),
            ("shortcut unreadable", lambda: self.edit(self.lnk, b"junk", 0),
             ("description", "New letter")),
        )
        for what, change, (fresh, expected) in cases:
            with self.subTest(what=what):
                self.profile.reset()
                self.app.write("Templates/Letter.dotx", b"letter v1")
                self.configure()
                self.run_ok("/installall")
                change()
                run = self.run_ok("/installall")
                if fresh.startswith("/"):
                    with open(fresh, "rb") as f, open(expected, "rb") as g:
                        self.assertEqual(f.read(), g.read(), run.lines)
                    # Wine keeps file times in 100 ns steps.
                    self.assertEqual(os.stat(fresh).st_mtime_ns // 100,
                                     os.stat(expected).st_mtime_ns // 100)
                    name = os.path.basename(fresh)
                    self.assertFalse([l for l in self.skipped(run, NOT_COPIED) if l.endswith(name)])
                else:
                    self.assertEqual(self.profile.links()["Letter.lnk"][fresh], expected, run.lines)
                    self.assertEqual(self.skipped(run, NOT_SAVED), [], run.lines)

    def test_sources_in_a_subfolder_or_in_other_letter_case_are_compared_too(self):
        self.app.write("Templates/Sub/Deep.dotx", b"deep v1")
        self.app.write_config("Deep", template="Sub\\Deep.dotx")
        self.configure(template="LETTER.DOTX")
        self.run_ok("/installall")
        run = self.run_ok("/installall")
        self.assertEqual(len(self.skipped(run, NOT_COPIED)), 4, run.lines)
        for rel in ("Templates/Sub/Deep.dotx", "Templates/Letter.dotx"):
            self.edit(self.app.path(rel), b"updated", HOUR_NS)
        run = self.run_ok("/installall")
        self.assertEqual(sorted(l.split("\\")[-1] for l in self.skipped(run, NOT_COPIED)),
                         ["Memo.dotx", "letter.ico"], run.lines)
        for name in ("Deep.dotx", "Letter.dotx"):
            with open(os.path.join(self.profile.templates_unix, name), "rb") as f:
                self.assertEqual(f.read(), b"updated", name)

    def test_a_description_longer_than_a_path_is_compared_whole(self):
        """The window takes a description of any length; a link's field read back into a
        path-sized buffer would differ at every logon, and the link be saved again."""
        self.configure(desc="d" * 300 + " end")
        self.run_ok("/installall")
        before = self.stamps(self.lnk)
        run = self.run_ok("/installall")
        self.assertEqual(self.stamps(self.lnk), before, run.lines)
        self.assertEqual(self.skipped(run, NOT_SAVED),
                         [NOT_SAVED + self.profile.desktop_win + "\\Letter.lnk"], run.lines)
        # A change past the 260th character is a change.
        self.configure(desc="d" * 300 + " END")
        self.assertEqual(self.skipped(self.run_ok("/installall"), NOT_SAVED), [])

    def test_a_shortcut_as_recorded_is_not_read(self):
        """The listing's size and time equal the record's: the shortcut is not opened (on
        a Desktop in OneDrive that would download it). Made unreadable here, it would
        otherwise be saved again."""
        self.run_ok("/installall")
        stat = os.stat(self.lnk)
        with open(self.lnk, "wb") as f:
            f.write(b"\0" * stat.st_size)
        os.utime(self.lnk, ns=(stat.st_atime_ns, stat.st_mtime_ns))
        run = self.run_ok("/installall")
        self.assertEqual(self.skipped(run, NOT_SAVED),
                         [NOT_SAVED + self.profile.desktop_win + "\\Letter.lnk"], run.lines)
        with open(self.lnk, "rb") as f:
            self.assertEqual(f.read(), b"\0" * stat.st_size)
