"""A first run copies through the shell once per destination folder: each shell copy
pays a fixed cost, and on a new desktop every logon is a first run."""
from e2elib.case import DorvaneTestCase


class ShellCopyTests(DorvaneTestCase):
    def test_a_first_run_copies_every_template_and_icon_in_one_shell_operation(self):
        names = []
        for i in range(4):
            self.app.write(f"Templates/T{i}.dotx", f"template {i}".encode())
            self.app.write(f"AltIcons/I{i}.ico", f"icon {i}".encode())
            self.app.write_config(f"C{i}", template=f"T{i}.dotx", shortcut=f"S{i}", icon=f"I{i}.ico")
            names += [f"T{i}.dotx", f"I{i}.ico"]
        # Wine says for each shell copy that it ignores a flag every copy of Dorvane sets.
        run = self.run_dorvane("/installall", env={"WINEDEBUG": "fixme+shell"})
        self.assertEqual(run.exit_code, 0, run.lines)
        self.assertEqual(run.output.count("fixme:shell:check_flags"), 1, run.output)
        self.assertEqual(self.profile.templates(), sorted(names))
        self.assertEqual(self.profile.template_bytes("I3.ico"), b"icon 3")
