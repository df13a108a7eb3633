"""Retiring configurations: what a retired configuration installed is removed, and only
what is still exactly what its install wrote and what no current configuration installs."""
import os
import shutil

from e2elib.case import DorvaneTestCase
from e2elib.hold import held_open
from e2elib.install_record import RECORD_KEY


class RetireTests(DorvaneTestCase):
    def setUp(self):
        super().setUp()
        for name in ("Old", "Edited", "Shared", "Keep", "Other"):
            self.app.write(f"Templates/{name}.dotx", name.encode())
        self.app.write("Templates/Sheet.xltx", b"sheet")
        excel = self.office("EXCEL")
        self.app.write("AltIcons/old.ico", b"icon")
        os.chmod(self.app.path("AltIcons/old.ico"), 0o444)  # its copy is read-only too
        for name, template, shortcut, icon in (
                ("Old", "Old.dotx", "Old", "old.ico"), ("Edited", "Edited.dotx", "", ""),
                ("SharedOld", "Shared.dotx", "", ""), ("Keep", "Keep.dotx", "Keep", ""),
                ("Gone", "Other.dotx", "Taken", ""), ("Sheet", "Sheet.xltx", "Sheet", "")):
            self.app.write_config(name, template=template, shortcut=shortcut, icon=icon)
        self.assertEqual(self.run_dorvane("/installall").exit_code, 0)
        self.assertEqual(self.profile.links()["Sheet.lnk"]["target"], excel.exe_win)
        # Installed before there was a record: judged by what its shortcut starts.
        self.prefix.run("reg", "delete", RECORD_KEY + "\\Sheet", "/f")
        self.assertFalse(os.stat(os.path.join(self.profile.templates_unix, "old.ico")).st_mode
                         & 0o222)
        # Retired: Old and Edited (its copy then edited by the user), SharedOld (whose
        # template a current configuration installs too) and Taken, whose shortcut name
        # is held by a link that starts Word on another template.
        os.makedirs(self.app.path("Retired"))
        for name in ("Old", "Edited", "SharedOld", "Sheet"):
            shutil.move(self.app.path(f"Configs/{name}.cfg"), self.app.path("Retired"))
        os.unlink(self.app.path("Configs/Gone.cfg"))
        self.app.write("Retired/Taken.cfg", "[Config]\r\nTemplateFile=Taken.dotx\r\n"
                       "ShortcutName=Taken\r\n")
        self.app.write_config("SharedNew", template="Shared.dotx")
        with open(os.path.join(self.profile.templates_unix, "Edited.dotx"), "ab") as f:
            f.write(b" and more")
        self.tpl = lambda name: self.profile.templates_win + "\\" + name
        self.lnk = lambda name: self.profile.desktop_win + "\\" + name + ".lnk"

    def said(self, run, *prefixes):
        return sorted(line.strip() for line in run.lines if line.strip().startswith(prefixes))

    def test_installall_removes_only_what_retired_configurations_installed(self):
        run = self.run_dorvane("/installall")
        self.assertEqual(run.exit_code, 0, run.lines)
        self.assertEqual(self.said(run, "removed: ", "kept, "), sorted([
            "removed: " + self.lnk("Old"), "removed: " + self.tpl("old.ico"),
            "removed: " + self.tpl("Old.dotx"), "removed: " + self.lnk("Sheet"),
            "removed: " + self.tpl("Sheet.xltx"),
            "kept, changed since it was installed: " + self.tpl("Edited.dotx"),
            "kept, a current configuration installs it: " + self.tpl("Shared.dotx"),
            "kept, not installed by this configuration: " + self.lnk("Taken")]), run.lines)
        self.assertEqual(self.profile.templates(),
                         ["Edited.dotx", "Keep.dotx", "Other.dotx", "Shared.dotx"])
        self.assertEqual(self.profile.desktop(), ["Keep.lnk", "Taken.lnk"])
        # Nothing left to remove: the next run says nothing of it.
        run = self.run_dorvane("/installall")
        self.assertEqual(self.said(run, "removed: "), [], run.lines)

    def test_remove_one_configuration_by_name(self):
        run = self.run_dorvane("/remove Nowhere")
        self.assertEqual((run.exit_code, self.said(run, "RemoveConfig: ")), (1, [
            'RemoveConfig: Nowhere: no configuration of that name in "Retired" or "Configs"']))
        # A copy in use stays and fails the run; the rest of the configuration goes.
        with held_open(self, os.path.join(self.profile.templates_unix, "Old.dotx")):
            run = self.run_dorvane("/remove Old")
        self.assertEqual(run.exit_code, 1, run.lines)
        self.assertEqual(self.said(run, "removed: "),
                         sorted(["removed: " + self.lnk("Old"), "removed: " + self.tpl("old.ico")]))
        failed = self.said(run, "RemoveConfig: ")
        self.assertEqual(len(failed), 1, run.lines)
        self.assertTrue(failed[0].startswith(
            f'RemoveConfig: Old: failed to remove "{self.tpl("Old.dotx")}": '), failed)
        # Once more when it is free; and a configuration still in "Configs" by its name.
        for name, removed in (("Old", ["Old.dotx"]), ("Keep", ["Keep.dotx", "Keep"])):
            run = self.run_dorvane("/remove " + name)
            self.assertEqual(run.exit_code, 0, run.lines)
            self.assertEqual(self.said(run, "removed: "), sorted(
                "removed: " + (self.tpl(n) if "." in n else self.lnk(n)) for n in removed))
