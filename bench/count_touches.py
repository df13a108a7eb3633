#!/usr/bin/env python3
"""Counts how often "Dorvane.exe /installall" opens or queries a path inside its own
folder: at logon that folder usually lies on a file server, where each such call costs
at least one round trip, which the time on this machine hides and a count does not.

    count_touches.py EXE_FOLDER [--count 200]

Runs in the Wine prefix of WINEPREFIX (booted, with a plain Desktop and Word where
gen_tree.py wordonly puts it). Makes EXE_FOLDER (a folder of that prefix's C: drive,
given as a Unix path) with --count configurations, each with a template, an icon and
a shortcut, copies Dorvane.exe there (BENCH_BUILD or build/), empties the user's
templates folder and desktop, runs /installall twice under WINEDEBUG=+file and counts
the trace lines of NtCreateFile, GetFileAttributesW and GetFileAttributesExW that name
a path inside EXE_FOLDER (the trace shows no attribute query of its own beneath
those). The second run finds what the first left: a logon that changes nothing; a
"/check" then asks what it would do, and writes nothing. Each run's shell copy
operations are counted from the same trace.
Then the same calls per configuration, by call and by the data folder they name.

The same calls into the user's profile follow: the templates folder and the desktop
(where a Desktop in OneDrive makes each open of an online-only file a download), and
among them the opens of a shortcut (".lnk"), whether by path or relative to a folder's
handle (the trace then names the file alone).
"""
import argparse
import collections
import os
import re
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
CALL = re.compile(r':trace:file:(NtCreateFile|GetFileAttributesW|GetFileAttributesExW)\b.*?'
                  r'L"((?:[^"\\]|\\.)*)"')


def wine_env():
    env = dict(os.environ)
    env.setdefault("WINEARCH", "win32")
    env.setdefault("WINEDLLOVERRIDES", "winemenubuilder.exe=d;mscoree=d;mshtml=d")
    env["WINEDEBUG"] = "-all"
    return env


def wine_out(args):
    return subprocess.run(["wine", *args], env=wine_env(), stdin=subprocess.DEVNULL,
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                          check=True).stdout.strip()


def unix_path(win_path):
    return subprocess.run(["winepath", "-u", win_path], env=wine_env(), stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, text=True, check=True).stdout.strip()


KINDS = ("NtCreateFile", "GetFileAttributesW", "GetFileAttributesExW")
PLACES = ("Configs", "Templates", "AltIcons", "other")


PROFILE = ("templates", "desktop", "relative", ".lnk")


def traced_calls(trace_path):
    """(kind, path) of each call, the path lower case and without its long or NT prefix."""
    with open(trace_path, encoding="utf-8", errors="replace") as trace:
        for line in trace:
            m = CALL.search(line)
            if not m:
                continue
            path = m.group(2).replace("\\\\", "\\").lower()
            for prefix in ("\\??\\unc\\", "\\\\?\\unc\\", "\\??\\", "\\\\?\\"):
                if path.startswith(prefix):
                    path = ("\\\\" if "unc" in prefix else "") + path[len(prefix):]
                    break
            yield m.group(1), path


def inside(path, folder):
    folder = folder.lower().rstrip("\\")
    return path == folder or path.startswith(folder + "\\")


def count(trace_path, folder, templates, desktop):
    """Calls naming the program's folder or a path inside it, in any letter case and path
    form: {(kind, place): calls}, place the data folder the path names or lies in, or
    "other"; and the calls into the profile: {(kind, place): calls}, place "templates",
    "desktop", "relative" (a name alone, opened relative to a folder's handle) or ".lnk"
    (a shortcut, by path or relative, counted besides its folder)."""
    calls, profile = collections.Counter(), collections.Counter()
    for kind, path in traced_calls(trace_path):
        if inside(path, folder):
            top = path[len(folder.rstrip("\\")) + 1:].split("\\")[0]
            place = next((p for p in PLACES[:-1] if p.lower() == top), "other")
            calls[kind, place] += 1
        for place, root in (("templates", templates), ("desktop", desktop)):
            if inside(path, root):
                profile[kind, place] += 1
        if "\\" not in path and ":" not in path:
            profile[kind, "relative"] += 1
        if path.endswith(".lnk") and (inside(path, desktop) or "\\" not in path):
            profile[kind, ".lnk"] += 1
    return calls, profile


def shell_copies(trace_path):
    """Shell copy operations in a trace: Wine's shell says once for each that it ignores
    FOF_NOCOPYSECURITYATTRIBS, which every copy of Dorvane's sets."""
    with open(trace_path, encoding="utf-8", errors="replace") as trace:
        return sum("fixme:shell:check_flags" in line for line in trace)


def run_traced(exe, trace_path, action="/installall"):
    env = wine_env()
    env["WINEDEBUG"] = "+file"
    with open(trace_path, "w") as trace:
        rc = subprocess.run(["wine", exe, action], env=env, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=trace).returncode
    if rc != 0:
        sys.exit(f"count_touches.py: {exe} {action} ended with {rc}")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("folder", help="Unix path of the folder to make, on the prefix's C: drive")
    ap.add_argument("--count", type=int, default=200)
    args = ap.parse_args()
    drive_c = os.path.join(os.environ["WINEPREFIX"], "drive_c")
    rel = os.path.relpath(os.path.abspath(args.folder), drive_c)
    if rel.startswith(".."):
        sys.exit("count_touches.py: the folder must lie on the prefix's C: drive")
    folder_win = "C:\\" + rel.replace("/", "\\")
    build = os.environ.get("BENCH_BUILD", os.path.join(os.path.dirname(HERE), "build"))

    shutil.rmtree(args.folder, ignore_errors=True)
    subprocess.run([sys.executable, os.path.join(HERE, "gen_tree.py"), "install", args.folder,
                    "--count", str(args.count), "--every", "1"], check=True,
                   stdout=subprocess.DEVNULL)
    shutil.copy(os.path.join(build, "Dorvane.exe"), args.folder)
    templates_win = wine_out(["cmd", "/c", "echo", "%APPDATA%"]) + "\\Microsoft\\Templates"
    desktop_win = wine_out(["cmd", "/c", "echo", "%USERPROFILE%"]) + "\\Desktop"
    templates, desktop = unix_path(templates_win), unix_path(desktop_win)
    os.makedirs(templates, exist_ok=True)
    for d in (templates, desktop):
        for name in os.listdir(d):
            if os.path.isfile(os.path.join(d, name)):
                os.remove(os.path.join(d, name))

    exe = folder_win + "\\Dorvane.exe"
    traced, copies, in_profile = [], [], []
    for which, action in (("first", "/installall"), ("second", "/installall"),
                          ("/check", "/check")):
        trace = os.path.join(args.folder, f"trace-{which.strip('/')}.txt")
        run_traced(exe, trace, action)
        label = which if which.startswith("/") else f"{which} run"
        calls, profile = count(trace, folder_win, templates_win, desktop_win)
        traced.append((label, calls))
        in_profile.append((label, profile))
        copies.append((label, shell_copies(trace)))
        os.remove(trace)
    n = args.count
    figures = [(label, sum(calls.values())) for label, calls in traced]
    figures.append(("floor", n + 3))
    print(f"file-server touches: /installall, {n} configurations each with template, icon and "
          f"shortcut; opens and queries of a path in the program's folder "
          f"(WINEDEBUG=+file: NtCreateFile, GetFileAttributesW, GetFileAttributesExW)")
    print(f"  {'':<11}{'calls':>7}{'per config':>12}{'at 1 ms':>10}{'at 30 ms':>10}")
    for label, calls in figures:
        print(f"  {label:<11}{calls:>7}{calls / n:>12.2f}{calls * 0.001:>9.1f}s"
              f"{calls * 0.030:>9.1f}s")
    print("  shell copy operations (SHFileOperationW): " +
          ", ".join(f"{label} {n_ops}" for label, n_ops in copies))
    print("  /check: the same folder after the second run, nothing to do (it writes nothing)")
    print("  floor: one listing each of Configs, Templates and AltIcons, one read of each .cfg;"
          " the time is the round trips alone, at one round trip a call")
    print("  per configuration, by call and by the data folder named (other: the program's "
          "folder itself and its other files)")
    print(f"  {'':<11}{'':<22}" + "".join(f"{p:>10}" for p in PLACES))
    for label, calls in traced:
        for kind in KINDS:
            print(f"  {label:<11}{kind:<22}" +
                  "".join(f"{calls[kind, p] / n:>10.2f}" for p in PLACES))
    print(f"calls into the profile per configuration: the templates folder, the desktop, "
          f"names opened relative to a folder's handle, and shortcuts among them")
    print(f"  {'':<11}{'':<22}" + "".join(f"{p:>11}" for p in PROFILE))
    for label, calls in in_profile:
        for kind in KINDS:
            print(f"  {label:<11}{kind:<22}" +
                  "".join(f"{calls[kind, p] / n:>11.2f}" for p in PROFILE))
    return 0


if __name__ == "__main__":
    sys.exit(main())
