"""The run's working folder beside the templates and on the desktop is its own: a name
another process of the user puts in it is never written through.

A watcher links, the moment a working folder appears, every name a run is about to
stage there to a file outside the profile (a hard link). Wine enforces no access list,
which on Windows keeps such a process out of an elevated run's folder, so whatever the
run writes right after making the folder may still beat the watcher: the templates,
which one shell copy stages together, and the first shortcut. Every later shortcut is
refused."""
from e2elib.case import DorvaneTestCase
from e2elib.plant import HardLinkPlanter


class WorkingFolderTests(DorvaneTestCase):
    def test_a_name_planted_in_the_working_folder_is_not_written_through(self):
        outside = {}
        for i in range(1, 5):
            self.app.write(f"Templates/U{i}.dotx", f"template {i}")
            self.app.write_config(f"S{i}", template=f"U{i}.dotx", shortcut=f"Company Letter {i}")
            staged = f"Company Letter {i}.lnk"
            outside[staged] = self.app.write(f"Outside/{staged}", f"outside {staged}")
        with HardLinkPlanter([self.profile.desktop_unix], outside) as planter:
            run = self.run_dorvane("/installall")
        refused = [n for n in outside
                   if any(f'holds "{n}" already' in line for line in run.lines)]
        # Only the first shortcut may beat the watcher.
        self.assertGreaterEqual(len(refused), 3, (planter.planted, run.lines))
        self.assertNotEqual(run.exit_code, 0, run.lines)
        for name in refused:
            with open(outside[name], "rb") as f:
                self.assertEqual(f.read(), f"outside {name}".encode(), name)
            line = next(l for l in run.lines if f'holds "{name}" already' in l)
            self.assertIn(f'the working folder "{self.profile.desktop_win}\\~dv', line)
