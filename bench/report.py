#!/usr/bin/python3
"""Turns the raw figures of bench/run.sh into one table.

  report.py RAWDIR

Each raw file holds lines "<label> v1 v2 ...", one value per measured run. Figures
per configuration subtract, round by round, the same program's run without any
configuration from its run with 200.
"""
import filecmp
import os
import re
import statistics
import sys

CONFIGS = 200


def values(raw, name, label):
    path = os.path.join(raw, name + ".txt")
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            parts = line.split()
            if parts and parts[0] == label:
                return [float(v) for v in parts[1:]]
    raise SystemExit(f"report.py: no '{label}' in {path}")


def info(raw, name):
    out = {}
    with open(os.path.join(raw, name + ".txt"), encoding="utf-8", errors="replace") as f:
        for line in f:
            if line.startswith("info "):
                key, _, value = line[5:].rstrip("\r\n").partition("=")
                out[key] = value
    return out


def read_list(raw, name):
    path = os.path.join(raw, name + ".txt")
    if not os.path.exists(path):
        return None
    with open(path, encoding="utf-8") as f:
        return f.read().splitlines()


def imports(objdump_file):
    dlls = {}
    current = None
    with open(objdump_file, encoding="utf-8", errors="replace") as f:
        for line in f:
            m = re.match(r"\s*DLL Name: (\S+)", line)
            if m:
                current = m.group(1)
                dlls[current] = 0
                continue
            if current is None:
                continue
            if not line.strip():
                current = None
            elif re.match(r"\s+[0-9a-f]+\s+\d+\s+\S", line):
                dlls[current] += 1
    return dlls


# Installing call by call: (id, what, calls per configuration in a first
# "/installall" by Dorvane.exe, in a repeat run that finds nothing changed, by the
# minimal installer). Half of the configurations have a shortcut and an icon, so
# those steps run for every other one.
STEPS = (
    ("read_ini", "ConfigValues (GetPrivateProfileSectionW), one file", 1.0, 1.0, 0),
    ("read_ini_w", "GetPrivateProfileStringW, one key (reference check)", 0, 0, 0),
    ("file_exists", "DoesFileExist (CreateFileW, open and close)", 1.5, 0, 0),
    ("copy_shell", "CopyFiles (SHFileOperationW), one 20-60 KB file", 1.5, 0, 0),
    ("shfileop_bare", "  of which SHFileOperationW alone", 0, 0, 0),
    ("shfileop_silent", "  SHFileOperationW with FOF_SILENT (never used)", 0, 0, 0),
    ("copy_plain", "CopyFileW, the same file", 0, 0, 1.5),
    ("desktop_folder", "GetSpecialFolder(CSIDL_DESKTOP)", 0.5, 0.5, 0),
    ("link_ours", "cShellLinkA::CreateLink (IShellLinkW, Resolve, Save)", 0.5, 0, 0),
    ("link_minimal", "IShellLinkW: set fields, Save", 0, 0, 0.5),
    ("files_match", "FilesMatch (two attribute queries), one file", 1.5, 1.5, 0),
    ("link_unchanged", "CreateLinkUnlessUnchanged, link in place", 0, 0.5, 0),
    ("link_info", "  of which cShellLinkA::GetLinkInfo", 0, 0, 0),
    ("same_file", "two GetFileAttributesExW, compared (reference check)", 0, 0, 0),
    ("link_check_minimal", "IShellLinkW: Load, read fields (reference check)", 0, 0, 0),
    ("dprint", "DPrint, one line (no debugger attached)", 0, 2.5, 0),
    ("list_configs", "ListConfigNames (FindFiles *.cfg), once", 1 / CONFIGS, 1 / CONFIGS, 0),
)


def steps_table(raw):
    path = os.path.join(raw, "steps.txt")
    if not os.path.exists(path):
        return
    data = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            parts = line.split()
            if parts and parts[0] == "step_us":
                data[parts[1]] = [float(v) for v in parts[2:]]
    print()
    print("install, call by call inside one process (bench_steps; microseconds; per "
          "configuration: median x calls per configuration)")
    head = (f"{'call':<56} {'median':>8} {'min':>8} {'max':>8}  {'first run':>10}  "
            f"{'repeat run':>10}  {'minimal':>10}")
    print(head)
    print("-" * len(head))
    sums = [0.0, 0.0, 0.0]
    for key, label, *calls in STEPS:
        if key not in data:
            continue
        v = data[key]
        med = statistics.median(v)
        cells = ""
        if any(calls):
            for i, n in enumerate(calls):
                sums[i] += med * n
            cells = "  " + "  ".join(f"{med * n:>10.0f}" for n in calls)
        print(f"{label:<56} {med:>8.0f} {min(v):>8.0f} {max(v):>8.0f}{cells}")
    print(f"{'sum of the calls above':<56} {'':>8} {'':>8} {'':>8}  "
          + "  ".join(f"{x:>10.0f}" for x in sums))
    if "link_ours" in data and "link_minimal" in data:
        ours_rest = sums[0] - statistics.median(data["link_ours"]) * 0.5
        min_rest = sums[2] - statistics.median(data["link_minimal"]) * 0.5
        print(f"{'the same without the shortcut save':<56} {'':>8} {'':>8} {'':>8}  "
              f"{ours_rest:>10.0f}  {'':>10}  {min_rest:>10.0f}  "
              f"(ratio {ours_rest / min_rest:.2f})")
    if "install_config" in data:
        v = data["install_config"]
        print(f"{'InstallConfig(name, True), whole, nothing changed':<56} "
              f"{statistics.median(v):>8.0f} {min(v):>8.0f} {max(v):>8.0f}")


def change_times(raw, name):
    path = os.path.join(raw, name + ".txt")
    if not os.path.exists(path):
        return None
    with open(path, encoding="utf-8", errors="replace") as f:
        return dict(line.rstrip("\n").rsplit("|", 1) for line in f if "|" in line)


def large_table(raw, per_200, per_min_200):
    """One first run and one repeat run with many configurations (BENCH_LARGE)."""
    path = os.path.join(raw, "large.txt")
    if not os.path.exists(path):
        return
    count = int(info(raw, "large")["configs"])
    first, again, start, _, mini, mini0 = (values(raw, "large", f"wall_ms.{i}")[0]
                                           for i in range(1, 7))
    codes = [int(values(raw, "large", f"exit.{i}")[0]) for i in (1, 2, 5)]
    per, per_min = (first - start) / count, (mini - mini0) / count
    print()
    print(f"{count} configurations, one run each (same mix as the 200: every other one with "
          f"icon and shortcut); exit codes {codes}")
    print(f"  Dorvane.exe first run {first / 1000:.1f} s, {per:.2f} ms per configuration "
          f"((total - /none) / {count}); at 200: {per_200:.2f} ms; ratio {per / per_200:.2f} "
          f"(goal <=1.3)")
    print(f"  minimal installer first run {mini / 1000:.1f} s, {per_min:.2f} ms per "
          f"configuration; at 200: {per_min_200:.2f} ms; ratio {per_min / per_min_200:.2f}")
    print(f"  Dorvane.exe second run, nothing changed: {again / 1000:.1f} s, "
          f"{(again - start) / count:.2f} ms per configuration")
    calls = os.path.join(raw, "large-calls.txt")
    if os.path.exists(calls):
        print("  the first run call by call (bench_growth), mean microseconds per call:")
        with open(calls, encoding="utf-8", errors="replace") as f:
            for line in f:
                print("    " + line.rstrip())


def main():
    raw = sys.argv[1]
    rows = []  # (id, label, unit, samples, reference id, goal)

    def add(key, label, unit, samples, ref=None, goal=None):
        rows.append((key, label, unit, samples, ref, goal))

    ms = "ms"
    add("floor", "search  floor: FindFirstFileExW basic+large fetch, visible folders once", ms,
        values(raw, "search", "times_ms.floor"), "cmd")
    add("cmd", "search  cmd /c dir /s /b <Office folder>\\winword.exe (process)", ms,
        values(raw, "cmd", "wall_ms.1"))
    add("literal", "search  literal reading: listing per pattern + *.* + attributes per entry",
        ms, values(raw, "search", "times_ms.literal"), "floor")
    add("locate", "search  ours: LocateWordExe", ms, values(raw, "search", "times_ms.locate"),
        "floor", 1.3)
    add("find", "search  ours: FindFiles(<Office folder>, winword.exe;excel.exe;powerpnt.exe)", ms,
        values(raw, "search", "times_ms.find"), "word", 1.05)
    add("word", "search  ours: FindFiles(<Office folder>, winword.exe, recursive)", ms,
        values(raw, "search", "times_ms.word"), "floor", 1.3)

    # Round: empty the profile, first run, second run, reference check with 200 and
    # with 0, /none, empty the profile, minimal installer with 200, with 0.
    install = values(raw, "install", "wall_ms.2")
    repeat = values(raw, "install", "wall_ms.3")
    minrepeat = values(raw, "install", "wall_ms.4")
    minrepeat0 = values(raw, "install", "wall_ms.5")
    install_start = values(raw, "install", "wall_ms.6")
    mininstall = values(raw, "install", "wall_ms.8")
    mininstall0 = values(raw, "install", "wall_ms.9")
    add("install", "install Dorvane.exe /installall, 200 configurations, first run (process)", ms,
        install, "mininstall", 1.5)
    add("repeat", "install Dorvane.exe /installall, 200, nothing changed: vs. reference", ms,
        repeat, "minrepeat", 1.3)
    add("repeat-first", "install the same second run, against the first run", ms, repeat,
        "install", 0.25)
    add("minrepeat", "install reference check: 600 INI values, 300 file times, 100 links", ms,
        minrepeat)
    add("per-repeat", "install second run per configuration: (total - /none) / 200", ms,
        [(t - s) / CONFIGS for t, s in zip(repeat, install_start)], "per-minrepeat", 1.3)
    add("per-minrepeat", "install reference check per configuration: (total - 0) / 200", ms,
        [(t - s) / CONFIGS for t, s in zip(minrepeat, minrepeat0)])
    add("retired", "install the same second run, 20 retired configurations already removed", ms,
        values(raw, "retired", "wall_ms.2"), "retired-none", 1.1)
    add("retired-none", "install the same second run without Retired, same rounds", ms,
        values(raw, "retired", "wall_ms.1"))
    add("groups", "install the same second run, each configuration with Groups= two groups", ms,
        values(raw, "groups", "wall_ms.2"), "groups-none", 1.1)
    add("groups-none", "install the same second run without Groups, same rounds", ms,
        values(raw, "groups", "wall_ms.1"))
    add("record", "install the same second run, with the install record", ms,
        values(raw, "record", "wall_ms.1"), "norecord", 1.1)
    add("norecord", "install the same second run, the record's calls as no-ops, same rounds", ms,
        values(raw, "record", "wall_ms.2"))
    add("check", "Dorvane.exe /check, 200 unchanged: against the repeat run, same rounds", ms,
        values(raw, "check", "wall_ms.2"), "check-repeat", 1.1)
    add("check-repeat", "install the same second run, in the rounds of /check", ms,
        values(raw, "check", "wall_ms.1"))
    # Round: the repeat run (the previous round put everything back), the run from the
    # copy with 20 configurations in Retired, which removes their files, and a run that
    # puts them back.
    removal = values(raw, "removal", "wall_ms.2")
    removal_none = values(raw, "removal", "wall_ms.1")
    add("removal", "install second run that removes 20 retired configurations (in place)", ms,
        removal, "removal-none")
    add("removal-none", "install the second run of all 200 in the same rounds", ms, removal_none)
    add("per-removal", "install removal per retired configuration: (removal - second) / 20", ms,
        [(r - n) / 20 for r, n in zip(removal, removal_none)])
    add("mininstall", "install minimal installer, 200 configurations (process)", ms, mininstall)
    add("per", "install Dorvane.exe per configuration: (total - /none) / 200", ms,
        [(t - s) / CONFIGS for t, s in zip(install, install_start)], "per-min", 1.5)
    add("per-min", "install minimal per configuration: (total - 0 configurations) / 200", ms,
        [(t - s) / CONFIGS for t, s in zip(mininstall, mininstall0)])
    add("start", "start   Dorvane.exe /none (matches nothing), Office tree with Word only", ms,
        values(raw, "start", "wall_ms.1"), "minstart", 1.3)
    add("minstart", "start   minimal program, same DLLs, same manifest", ms,
        values(raw, "start", "wall_ms.2"))
    add("start-peak", "start   peak working set, Dorvane.exe /none", "KiB",
        values(raw, "start-peak", "peak_kib.1"), "minstart-peak")
    add("minstart-peak", "start   peak working set, minimal program", "KiB",
        values(raw, "start-peak", "peak_kib.2"))

    add("winstart", "window  Dorvane.exe until Form1 shows, 200 configurations listed (process)",
        ms, values(raw, "winstart", "wall_ms.1"), "minwindow", 1.3)
    add("minwindow", "window  minimal program: one window, same DLLs, same manifest (process)",
        ms, values(raw, "winstart", "wall_ms.2"))
    add("refresh", "list    RefreshConfigList, 10,000 configurations, with the repaint", ms,
        values(raw, "list", "times_ms.refresh"), "listfloor", 1.3)
    add("listfloor", "list    floor: one listing + 10,000 insertions, one repaint", ms,
        values(raw, "list", "times_ms.floor"))

    medians = {key: statistics.median(s) for key, _, _, s, _, _ in rows}
    labels = {key: label for key, label, _, _, _, _ in rows}
    with open(os.path.join(raw, "conditions.txt"), encoding="utf-8") as f:
        print(f.read().rstrip())
    print()
    width = max(len(label) for _, label, _, _, _, _ in rows)
    head = (f"{'figure':<{width}} {'median':>12} {'min':>12} {'max':>12} {'ratio':>6}  "
            f"{'goal':<6} reference")
    print(head)
    print("-" * len(head))
    for key, label, unit, samples, ref, goal in rows:
        med = statistics.median(samples)
        ratio = f"{med / medians[ref]:6.2f}" if ref else " " * 6
        goal_text = f"<={goal}" if goal else ""
        ref_text = labels[ref].split(None, 1)[1] if ref else ""
        print(f"{label:<{width}} {med:>8.2f} {unit:<3} {min(samples):>8.2f} {unit:<3} "
              f"{max(samples):>8.2f} {unit:<3} {ratio}  {goal_text:<6} {ref_text}")
    print(f"(runs per figure: {len(rows[0][3])} after one warm-up, in rounds that run every "
          "figure of a group once; search and list figures timed inside one process around "
          "the call, window figures from CreateProcess until the window is visible, the "
          "others as whole processes from CreateProcess to their end)")

    steps_table(raw)

    print()
    print("checks")
    for pattern, a, b in (("winword.exe;excel.exe;powerpnt.exe", "list-ours", "list-literal"),
                          ("*.xml;*.png", "list-ours-many", "list-literal-many")):
        ours, literal = read_list(raw, a), read_list(raw, b)
        if ours is None or literal is None:
            print(f"  FindFiles vs literal reading, {pattern}: not compared (a list is missing)")
        elif ours == literal:
            print(f"  FindFiles vs literal reading, {pattern}: identical, {len(ours)} paths "
                  "in the same order")
        else:
            first = next((i for i, (x, y) in enumerate(zip(ours, literal)) if x != y),
                         min(len(ours), len(literal)))
            print(f"  FindFiles vs literal reading, {pattern}: DIFFERENT ({len(ours)} vs "
                  f"{len(literal)} paths, first difference at line {first + 1})")
    found = info(raw, "search")
    print(f"  LocateWordExe found: {found.get('found', '?')}")
    print(f"  floor visited {found.get('folders')} folders, {found.get('files')} files")
    for name, file, label in (("Dorvane.exe /installall, first run", "install", "exit.2"),
                              ("Dorvane.exe /installall, second run", "install", "exit.3"),
                              ("reference check (0: all unchanged)", "install", "exit.4"),
                              ("Dorvane.exe /none", "install", "exit.6"),
                              ("Dorvane.exe without the record, second run", "record", "exit.2"),
                              ("removing 20 retired configurations", "removal", "exit.2"),
                              ("Dorvane.exe /check, 200 unchanged", "check", "exit.2"),
                              ("minimal installer, 200", "install", "exit.8"),
                              ("minimal installer, 0", "install", "exit.9"),
                              ("minimal program", "start", "exit.2"),
                              ("cmd /c dir /s /b", "cmd", "exit.1")):
        codes = sorted(set(int(v) for v in values(raw, file, label)))
        print(f"  exit codes, {name}: {codes}")
    listed = sorted(set(int(v) for v in values(raw, "winstart", "items.1")))
    print(f"  entries in Form1's list when it showed: {listed}")
    for who in ("refresh", "floor"):
        counts = sorted(set(int(v) for v in values(raw, "list", "items." + who)))
        print(f"  list entries after each {who}: {counts}")
    diff = int(values(raw, "list", "entries.firstdiff")[0])
    if diff < 0:
        print("  list names, RefreshConfigList vs floor: identical, in the same order")
    else:
        print(f"  list names, RefreshConfigList vs floor: DIFFERENT from entry {diff + 1} on")
    da, dm = os.path.join(raw, "lnk-dorvane"), os.path.join(raw, "lnk-minimal")
    la, lm = sorted(os.listdir(da)), sorted(os.listdir(dm))
    same = [n for n in la if n in lm and filecmp.cmp(os.path.join(da, n), os.path.join(dm, n),
                                                     shallow=False)]
    print(f"  shortcuts: Dorvane.exe wrote {len(la)}, the minimal installer {len(lm)}; "
          f"{len(same)} byte for byte the same")
    first, second = change_times(raw, "after-first"), change_times(raw, "after-repeat")
    if first is not None and second is not None:
        kept = sum(1 for name, t in first.items() if second.get(name) == t)
        print(f"  second run of Dorvane.exe left {kept} of {len(first)} installed files and "
              f"shortcuts untouched (inode change time)")

    large_table(raw, medians["per"], medians["per-min"])

    print()
    size = int(open(os.path.join(raw, "dorvane-size.txt")).read())
    dl = imports(os.path.join(raw, "dorvane-objdump.txt"))
    ml = imports(os.path.join(raw, "minstart-objdump.txt"))
    print(f"size: Dorvane.exe {size} bytes ({size / 1024:.0f} KiB), "
          f"{sum(dl.values())} imported functions from {len(dl)} DLLs")
    print("imports: " + ", ".join(f"{d} ({n})" for d, n in dl.items()))
    lower_d, lower_m = {d.lower() for d in dl}, {d.lower() for d in ml}
    if lower_d == lower_m:
        print("minimal program imports the same DLLs: yes")
    else:
        print("minimal program imports the same DLLs: NO; only Dorvane.exe: "
              f"{sorted(lower_d - lower_m)}, only the minimal program: {sorted(lower_m - lower_d)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
