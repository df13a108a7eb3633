#!/usr/bin/python3
"""Runs the built Dorvane.exe on the demo application folder in a Wine prefix of its
own and shows what it did: run-demo.py BUILD_DIR TAIL. scripts/run.sh builds first and
calls this; TAIL is the exact argument string Dorvane gets. DORVANE_INI=FILE puts FILE
beside Dorvane.exe as Dorvane.ini (the debug log's switches); the debug files the run
wrote are shown, wherever they landed.

With an empty TAIL Dorvane opens its main window. With --shots (run.sh passes it when
there is no display and runs this on a private virtual display) the script opens
each window in turn, saves a PNG of each in BUILD_DIR/demo-shots, prints the paths
and closes the windows."""
import os
import shutil
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(REPO, "tests", "e2e"))

from e2elib.capture import capture  # noqa: E402
from e2elib.fixtures import StandInWord, UserProfile  # noqa: E402
from e2elib.capture import RunningCapture  # noqa: E402
from e2elib.tools import Tools  # noqa: E402
from e2elib.window import FORM1_CLASS, FORM2_CLASS, WindowDriver  # noqa: E402
from e2elib.wine import WinePrefix  # noqa: E402

APP_WIN = r"C:\Dorvane"


def debug_files(prefix, since):
    """The debug files below drive C written since the given time."""
    found = []
    for folder, _, files in os.walk(prefix.drive_c):
        for name in files:
            path = os.path.join(folder, name)
            if (name.startswith("DebugOutput - Dorvane ") and name.endswith(".txt")
                    and os.path.getmtime(path) >= since):
                found.append(path)
    return sorted(found)


def show_windows(prefix, tools, build, shots):
    """Window mode: on a display the user closes the window; with shots, each window
    is photographed and closed here."""
    running = RunningCapture(prefix, tools, APP_WIN + r"\Dorvane.exe", tail="", cwd=APP_WIN,
                             timeout_ms=0 if not shots else 120000)
    if not shots:
        print("\nThe main window is open; close it (and the parameters window) to end.")
        return running.wait(None if running.timeout_ms else 24 * 3600)
    win = WindowDriver(prefix, tools)
    folder = os.path.join(build, "demo-shots")
    os.environ["DORVANE_SHOTS_DIR"] = folder
    paths = []
    try:
        form = win.find(pid=running.pid, cls=FORM1_CLASS, timeout_ms=60000)
        if form is None:
            raise SystemExit("run-demo.py: the main window did not open")
        h = form["hwnd"]
        # The demo's first configuration, loaded into the boxes.
        win.mouse(h, 1010, index=0)
        paths.append(win.screenshot(h, "form1").path)
        win.keys(h, "alt+h", "down", "enter")  # Help > Command Line Parameters
        form2 = win.find(pid=running.pid, cls=FORM2_CLASS, timeout_ms=30000)
        if form2:
            paths.append(win.screenshot(form2["hwnd"], "form2").path)
            win.close(form2["hwnd"])
        win.close(h)
        run = running.wait(60)
    finally:
        running.kill()
    print("\nScreenshots:")
    for p in paths:
        print("  " + p)
    return run


def main(build, tail, shots=False):
    prefix = WinePrefix(os.path.join(build, "demo-wine"),
                        os.path.join(REPO, "tests", "harness", "wine-run.sh"))
    tools = Tools(os.path.join(build, "tests", "tools"), os.path.join(build, "Dorvane.exe"))
    print(f"Preparing the demo prefix {prefix.prefix} ...")
    profile = UserProfile(prefix, tools)
    profile.reset()  # a user of Word has an (empty) templates folder
    word = StandInWord(prefix, tools.winword)
    word.install()
    app = prefix.to_unix(APP_WIN)
    shutil.rmtree(app, ignore_errors=True)
    shutil.copytree(os.path.join(REPO, "demo"), app,
                    ignore=shutil.ignore_patterns("make-*", ".gitattributes"))
    shutil.copy2(tools.dorvane, app)
    ini = os.environ.get("DORVANE_INI")
    if ini:
        shutil.copy2(ini, os.path.join(app, "Dorvane.ini"))
    print(f"Word (stand-in): {word.exe_win}")
    print(f"Application:     {APP_WIN}\\Dorvane.exe, with " +
          ", ".join(f"{d} ({len(os.listdir(os.path.join(app, d)))} files)"
                    for d in ("Templates", "AltIcons", "Configs")))
    print(f"Arguments:       {tail!r}")
    if ini:
        print(f"Dorvane.ini:     {ini}")

    started = time.time() - 2  # file times may be rounded
    if tail:
        run = capture(prefix, tools, APP_WIN + r"\Dorvane.exe", tail=tail, cwd=APP_WIN,
                      timeout_ms=120000)
    else:
        run = show_windows(prefix, tools, build, shots)
    print("\nDebug output:")
    for line in run.lines:
        print("  |" + line.replace("\t", "\\t"))
    print(f"\nUser's templates folder ({profile.templates_win}):")
    for name in profile.templates() or ["(empty)"]:
        print("  " + name)
    links = profile.links()
    print(f"\nDesktop shortcuts ({profile.desktop_win}):")
    if not links:
        print("  (none)")
    for name, link in links.items():
        print(f"  {name}")
        for label, key in (("target", "target"), ("arguments", "arguments"),
                           ("working folder", "working_directory"),
                           ("description", "description"), ("icon", "icon_location")):
            print(f"    {label + ':':16}{link[key]}")
        print(f"    {'icon index:':16}{link['icon_index']}")
    for path in debug_files(prefix, started):
        print(f"\nDebug file {prefix.to_windows(path)}:")
        with open(path, "rb") as f:
            for line in f.read().decode("cp1252").splitlines():
                print("  |" + line.replace("\t", "\\t"))
    meaning = {0: "the action ran and every step succeeded", 1: "a step failed",
               2: "the command line matched no action", 3: "Word was not found",
               124: "timed out"}
    if not tail and run.exit_code == 0:
        meaning[0] = "window mode, closed"
    print(f"\nExit code: {run.exit_code} ({meaning.get(run.exit_code, 'unexpected')})")
    return run.exit_code


if __name__ == "__main__":
    args = [a for a in sys.argv[1:] if a != "--shots"]
    if len(args) != 2:
        sys.exit("usage: run-demo.py [--shots] BUILD_DIR TAIL")
    sys.exit(main(os.path.abspath(args[0]), args[1], "--shots" in sys.argv[1:]))
