"""Names and texts in any language on a Western system (code page 1252): a user Łukasz,
a program folder Łódź, UTF-16 and Notepad's UTF-8 configurations. All arrive exactly."""
import os

from e2elib.case import DorvaneTestCase
from e2elib.fixtures import AppFolder
from e2elib.links import read_link
from e2elib.registry import Registry

LODZ = "\u0141\u00f3d\u017a"
REPORT = "\u041e\u0442\u0447\u0451\u0442"
SHELL_FOLDERS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders"


def config(encoding, template, shortcut="", desc=""):
    text = (f"[Config]\r\nTemplateFile={template}\r\nShortcutName={shortcut}\r\n"
            f"ShortcutDesc={desc}\r\n")
    return ("\ufeff" + text).encode("utf-16-le") if encoding == "utf-16" else text.encode(encoding)


class AnyLanguageTests(DorvaneTestCase):
    def move_profile(self, user):
        """Moves AppData and Desktop to C:\\users\\<user>; their Unix paths."""
        folders, registry = {}, Registry(self.prefix)
        for value, below in (("AppData", r"AppData\Roaming"), ("Desktop", "Desktop")):
            kind, old = registry.get(SHELL_FOLDERS, value)
            folders[value] = rf"C:\users\{user}\{below}"
            os.makedirs(self.prefix.to_unix(folders[value]), exist_ok=True)
            registry.set(SHELL_FOLDERS, value, folders[value], "REG_EXPAND_SZ")
            self.addCleanup(registry.set, SHELL_FOLDERS, value, old, kind)
        templates = self.prefix.to_unix(folders["AppData"] + r"\Microsoft\Templates")
        os.makedirs(templates, exist_ok=True)
        return templates, self.prefix.to_unix(folders["Desktop"])

    def test_every_name_and_value_arrives_exactly(self):
        cases = (
            # (program folder, user, configurations, command line, templates, shortcuts)
            (LODZ, None, {LODZ: config("utf-16", f"{LODZ}.dotx", LODZ, REPORT),
                          "Memo": config("cp1252", "Memo.dotx")},
             "/installall", ["Memo.dotx", f"{LODZ}.dotx"], {LODZ: (f'/t"{LODZ}.dotx"', REPORT)}),
            (None, None, {}, f"/copy {LODZ}.dotx", [f"{LODZ}.dotx"], {}),
            (None, None, {}, "/copyall", ["Memo.dotx", "Mod\u00e8le.dotx", f"{LODZ}.dotx"], {}),
            (None, None, {"\u00c9quipe": config("utf-8", "Mod\u00e8le.dotx", "Lettre",
                                                "Lettre \u00e0 l'\u00e9quipe")},
             "/install \u00c9quipe", ["Mod\u00e8le.dotx"],
             {"Lettre": ('/t"Mod\u00e8le.dotx"', "Lettre \u00e0 l'\u00e9quipe")}),
            (None, None, {"Marked": config("utf-8-sig", "Mod\u00e8le.dotx", REPORT, LODZ)},
             "/install Marked", ["Mod\u00e8le.dotx"], {REPORT: ('/t"Mod\u00e8le.dotx"', LODZ)}),
            # Last: the profile stays moved until the test ends.
            (None, "\u0141ukasz", {"Memo": config("cp1252", "Memo.dotx", "Memo")},
             "/install Memo", ["Memo.dotx"], {"Memo": ('/t"Memo.dotx"', "")}),
        )
        for folder, user, configs, tail, templates, links in cases:
            with self.subTest(tail=tail, folder=folder, user=user):
                self.profile.reset()
                if folder:
                    self.app = AppFolder(self.prefix, self.tools.dorvane,
                                         name=f"{folder}-{os.getpid()}")
                    self.addCleanup(self.app.remove)
                templates_unix, desktop_unix = (self.move_profile(user) if user else
                                                (self.profile.templates_unix,
                                                 self.profile.desktop_unix))
                for name in ("Memo.dotx", f"{LODZ}.dotx", "Mod\u00e8le.dotx"):
                    self.app.write(f"Templates/{name}", name.encode("utf-8"))
                for name, data in configs.items():
                    self.app.write_config(name, raw=data)
                run = self.run_dorvane(tail)
                self.assertEqual(run.exit_code, 0, run.lines)
                self.assertEqual(sorted(os.listdir(templates_unix)), templates)
                self.assertEqual(sorted(os.listdir(desktop_unix)),
                                 sorted(n + ".lnk" for n in links))
                for name, (arguments, desc) in links.items():
                    link = read_link(os.path.join(desktop_unix, name + ".lnk"))
                    self.assertEqual((link["arguments"], link["description"]), (arguments, desc))
