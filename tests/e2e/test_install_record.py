"""The install record (HKCU\\Software\\Dorvane\\Installed\\<configuration>) and removal
decided from it: only what a configuration installed, still exactly as recorded, and
claimed by no current configuration; never through a link."""
import os
import shutil

from e2elib.case import DorvaneTestCase
from e2elib.hold import held_open
from e2elib.install_record import RECORD_KEY, forget_records, read_record
from e2elib.registry import Registry

FILETIME_1601 = 116444736000000000  # 100 ns steps from 1601 to 1970
OLD = dict(template="Old.dotx", shortcut="Old", desc="Old", icon="old.ico")
SHELL_FOLDERS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders"


class InstallRecordTests(DorvaneTestCase):
    def setUp(self):
        super().setUp()
        forget_records(self.prefix)
        self.addCleanup(forget_records, self.prefix)
        self.tpl = os.path.join(self.profile.templates_unix, "Old.dotx")
        self.lnk = os.path.join(self.profile.desktop_unix, "Old.lnk")

    def install(self, current_template="Cur.dotx"):
        self.restore_desktop()
        self.profile.reset()
        forget_records(self.prefix)
        for name in ("Old.dotx", "Cur.dotx"):
            self.app.write("Templates/" + name, name.encode())
        self.app.write("AltIcons/old.ico", b"icon")
        shutil.rmtree(self.app.path("Configs"), ignore_errors=True)
        self.app.write_config("Old", **OLD)
        self.app.write_config("Current", template=current_template)
        shutil.rmtree(self.app.path("Retired"), ignore_errors=True)
        run = self.run_dorvane("/installall")
        self.assertEqual(run.exit_code, 0, run.lines)

    def move_desktop(self, carry):
        """Moves the desktop as OneDrive does, and the shortcut with it when carry is True."""
        registry, self.moved = Registry(self.prefix), self.profile.desktop_win[:-7] + "OneDrive"
        self.saved = registry.get(SHELL_FOLDERS, "Desktop")
        self.addCleanup(self.restore_desktop)
        os.makedirs(self.prefix.to_unix(self.moved))
        registry.set(SHELL_FOLDERS, "Desktop", self.moved, "REG_EXPAND_SZ")
        (os.rename(self.lnk, self.prefix.to_unix(self.moved + r"\Old.lnk")) if carry else
         os.unlink(self.lnk))

    def restore_desktop(self):
        if getattr(self, "moved", None):
            Registry(self.prefix).set(SHELL_FOLDERS, "Desktop", self.saved[1], self.saved[0])
            shutil.rmtree(self.prefix.to_unix(self.moved))
            self.moved = None

    def retire(self):
        os.makedirs(self.app.path("Retired"), exist_ok=True)
        shutil.move(self.app.path("Configs/Old.cfg"), self.app.path("Retired/Old.cfg"))

    def test_record_names_what_landed_with_size_time_and_shortcut_fields(self):
        self.install()
        record = read_record(self.prefix, "Old")
        for kind, path in (("Template", self.tpl), ("Shortcut", self.lnk),
                           ("Icon", os.path.join(self.profile.templates_unix, "old.ico"))):
            st = os.stat(path)
            self.assertEqual((record[kind + "Path"], record[kind + "Size"], record[kind + "Time"]),
                             (self.prefix.to_windows(path), st.st_size,
                              st.st_mtime_ns // 100 + FILETIME_1601), record)
        link = self.profile.links()["Old.lnk"]
        self.assertEqual([record["Shortcut" + k] for k in ("Target", "Arguments", "WorkingFolder",
                                                          "Description", "IconIndex", "HotKey")],
                         [self.word.exe_win, '/t"Old.dotx"', self.profile.templates_win, "Old", 0,
                          0])
        self.assertEqual(record["ShortcutIconFile"].lower(), link["icon_location"].lower())
        # /install writes it too; a removal takes it away with the files.
        forget_records(self.prefix)
        self.assertEqual(self.run_dorvane("/install Old").exit_code, 0)
        self.assertEqual(read_record(self.prefix, "Old"), record)
        self.assertEqual(self.run_dorvane("/remove Old").exit_code, 0)
        self.assertEqual((read_record(self.prefix, "Old"), os.path.exists(self.tpl)), ({}, False))

    def test_removal_decides_from_the_record(self):
        outside = os.path.join(self.app.unix, "outside.dotx")

        def edit_link_description():  # same size and time, another description
            st = os.stat(self.lnk)
            with open(self.lnk, "rb") as f:
                data = f.read()
            data = data.replace(b"O\x00l\x00d\x00\x00\x00", b"N\x00e\x00w\x00\x00\x00")
            with open(self.lnk, "wb") as f:
                f.write(data)
            os.utime(self.lnk, ns=(st.st_atime_ns, st.st_mtime_ns))

        def plant_link():
            with open(outside, "wb") as f:
                f.write(b"Old.dotx")
            os.unlink(self.tpl)
            os.symlink(outside, self.tpl)

        def record_own_template():  # the record is the user's to edit
            own = os.path.join(self.profile.templates_unix, "MyOwn.dotx")
            with open(own, "wb") as f:
                f.write(b"mine")
            record = lambda *value: Registry(self.prefix).set(RECORD_KEY + "\\Old", *value)
            record("TemplatePath", self.prefix.to_windows(own))
            record("TemplateSize", "4", "REG_QWORD")
            record("TemplateTime", str(os.stat(own).st_mtime_ns // 100 + FILETIME_1601),
                   "REG_QWORD")

        def hide_retired(retired_as, current_as):  # a current configuration of that name
            os.rename(self.app.path("Retired/Old.cfg"), self.app.path(f"Retired/{retired_as}.cfg"))
            self.app.write_config(current_as, **OLD)

        def give_copy_a_second_name():  # a hard link: it shares its attributes with outside
            if os.path.lexists(outside):
                os.unlink(outside)
            os.link(self.tpl, outside)

        def install_again_as(**changed):  # Old back in Configs, with other names
            os.unlink(self.app.path("Retired/Old.cfg"))
            self.app.write_config("Old", **{**OLD, **changed})

        kept_current = "kept, a current configuration installs it"
        tpl_win, lnk_win = self.prefix.to_windows(self.tpl), self.prefix.to_windows(self.lnk)
        # (case, change once retired, template as "Current" spells it, exit code,
        #  Old.dotx and Old.lnk still there, a line that must appear, command, and what
        #  Old's record names afterwards, when a run after it has nothing more to say)
        cases = (
            ("updated, then retired", lambda: self.app.write("Templates/Old.dotx", b"v2"),
             "Cur.dotx", 0, (False, False), "removed: "),
            ("current spells it Old.dotx.", None, "Old.dotx.", 0, (True, False), kept_current),
            ("no record, current spells it old.DOTX.", lambda: forget_records(self.prefix),
             "old.DOTX.", 0, (True, False), kept_current),
            ("user edited the shortcut", edit_link_description, "Cur.dotx", 0, (False, True),
             "kept, changed since it was installed"),
            ("no record, user edited the shortcut",
             lambda: (forget_records(self.prefix), edit_link_description()), "Cur.dotx", 0,
             (False, True), "kept, not installed by this configuration"),
            ("record names the user's own file", record_own_template, "Cur.dotx", 0, (True, False),
             "kept, its configuration names no such file"),
            ("link planted for the copy", plant_link, "Cur.dotx", 0, (True, False),
             "kept, a link to"),
            ("hard link made to the copy", give_copy_a_second_name, "Cur.dotx", 0, (True, False),
             "kept, it has other names as well (a hard link)"),
            ("current configuration without a section",
             lambda: self.app.write("Configs/Current.cfg", b"TemplateFile=Cur.dotx\r\n"),
             "Cur.dotx", 1, (True, True), "RemoveRetiredConfigs: nothing removed"),
            ("retired configuration without a section",
             lambda: self.app.write("Retired/Old.cfg", b"TemplateFile=Old.dotx\r\n"), "Cur.dotx",
             1, (True, True), 'RemoveConfig: Old: no [Config] section in "'),
            ("retired OLD.cfg beside Old.cfg", lambda: hide_retired("OLD", "Old"), "Cur.dotx", 0,
             (True, True), "RemoveConfig: OLD: skipped"),
            ("retired Old.cfg beside Old..cfg", lambda: hide_retired("Old", "Old."), "Cur.dotx", 0,
             (True, True), "RemoveConfig: Old: skipped"),
            ("/remove of Old.cfg beside Old..cfg", lambda: hide_retired("Old", "Old."), "Cur.dotx",
             0, (True, True), "RemoveConfig: old: skipped", "/remove old"),
            ("Old renames its shortcut", lambda: install_again_as(shortcut="New"), "Cur.dotx", 0,
             (True, False), "removed: " + lnk_win, "/installall", ("Old.dotx", "New.lnk")),
            ("Old changes its template", lambda: install_again_as(template="Cur.dotx"),
             "Cur.dotx", 0, (False, True), "removed: " + tpl_win, "/installall",
             ("Cur.dotx", "Old.lnk")),
            ("desktop moved with the shortcut", lambda: self.move_desktop(True), "Cur.dotx", 0,
             (False, False), "removed: " + self.profile.desktop_win[:-7] + r"OneDrive\Old.lnk",
             "/installall", (None, None)),
            ("desktop moved, shortcut deleted", lambda: self.move_desktop(False), "Cur.dotx", 0,
             (False, False), "removed: " + tpl_win, "/installall", (None, None)),
        )
        for what, change, spelled, code, left, line, *command in cases:
            with self.subTest(what):
                self.install(spelled)
                self.retire()
                if change:
                    change()
                run = self.run_dorvane(command[0] if command else "/installall")
                self.assertEqual(run.exit_code, code, run.lines)
                self.assertEqual((os.path.lexists(self.tpl), os.path.lexists(self.lnk)), left,
                                 run.lines)
                self.assertTrue([l for l in run.lines if l.strip().startswith(line)], run.lines)
                if len(command) > 1:
                    record = read_record(self.prefix, "Old")
                    self.assertEqual(tuple(record.get(kind + "Path", "\\").rsplit("\\")[-1] or None
                                           for kind in ("Template", "Shortcut")), command[1], record)
                    again = self.run_dorvane("/installall")
                    self.assertEqual([l for l in again.lines if l.strip().startswith(
                        ("removed: ", "kept, "))], [], again.lines)
                if os.path.lexists(self.tpl) and os.path.islink(self.tpl):
                    with open(outside, "rb") as f:  # what the link led to is still there
                        self.assertEqual(f.read(), b"Old.dotx")

    def test_a_current_configuration_held_open_stops_every_removal(self):
        self.install()
        self.retire()
        with held_open(self, self.app.path("Configs/Current.cfg")):
            run = self.run_dorvane("/installall")
        self.assertEqual(run.exit_code, 1, run.lines)
        self.assertEqual([os.path.exists(self.tpl), os.path.exists(self.lnk)], [True, True])
        self.assertEqual(len([l for l in run.lines if "nothing removed" in l]), 1, run.lines)
