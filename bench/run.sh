#!/bin/bash
# Measures what Dorvane costs at every logon and prints one table.
#
#   bench/run.sh [RUNS]          (default 9 measured runs after one warm-up)
#
# Environment: BENCH_BUILD (build folder, default build/ of this tree, configured with
# the mingw preset when missing), BENCH_CPU (the CPU everything runs on, default 1),
# BENCH_KEEP=1 keeps the Wine prefix and the raw figures in BENCH_BUILD/bench-run.
# BENCH_NO_MENUBUILDER=1 removes winemenubuilder.exe from the prefix: Wine's shortcut
# save starts it for every shortcut (Windows has nothing of the kind), which adds
# the same few milliseconds per shortcut to both installers.
# BENCH_LARGE=N adds one first run and one repeat run of "/installall" with N
# configurations, the minimal installer's first run with N, and the first run once
# more call by call (bench_growth), to compare the cost per configuration with that
# at 200 (10000 takes a quarter of an hour on a quiet machine and 800 MB of disk).
# It ends with a count of the opens and queries of the program's folder by a first and
# a repeat "/installall" (bench/count_touches.py), which a file server answers one
# round trip each.
#
# Everything measured runs under Wine in a prefix of its own, pinned to one CPU
# together with the Wine server and its services: when the program and the server
# sit on different CPUs every server call waits for a wake-up and the figures double.
# The figures are a stopwatch reading; nothing here passes or fails on them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$here")
runs=${1:-${BENCH_RUNS:-9}}
cpu=${BENCH_CPU:-1}
build=${BENCH_BUILD:-$repo/build}
work=$build/bench-run
python=/usr/bin/python3

if [ "${BENCH_PHASE:-}" != measure ]; then
    if [ "$runs" -lt 7 ]; then
        echo "run.sh: at least 7 runs, please" >&2
        exit 2
    fi
    # Build with all CPUs, then measure on one.
    [ -f "$build/build.ninja" ] || cmake --preset mingw -B "$build" -S "$repo" >/dev/null
    log=$(mktemp)
    if ! cmake --build "$build" --target Dorvane dorvane_bench >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log"
        exit 1
    fi
    rm -f "$log"
    export BENCH_PHASE=measure BENCH_RUNS=$runs
    # Pinning the X server too keeps every process of the run on the one CPU.
    if [ -z "${DISPLAY:-}" ]; then
        exec taskset -c "$cpu" xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
    fi
    exec taskset -c "$cpu" "$0" "$@"
fi

rm -rf "$work"
mkdir -p "$work/home/Desktop" "$work/raw"
export WINEPREFIX=$work/prefix HOME=$work/home WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
cleanup() {
    local status=$?
    if [ $status -ne 0 ] && [ -s "$work/raw/wine-stderr.txt" ]; then
        echo "run.sh: failed; Wine said:" >&2
        tail -n 20 "$work/raw/wine-stderr.txt" >&2
    fi
    wineserver -k 2>/dev/null || true
    [ "${BENCH_KEEP:-0}" = 1 ] || rm -rf "$work"
}
trap cleanup EXIT
raw=$work/raw
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

echo "preparing a Wine prefix and the data (about half a minute) ..." >&2
wineboot -i </dev/null >/dev/null 2>&1
"$here/../tests/harness/wine-fonts.sh" "$WINEPREFIX"
# A virtual desktop, as in the test harness: on bare Xvfb without a window manager
# Wine otherwise waits on window changes.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
wineserver -w
wineserver -p
c=$WINEPREFIX/drive_c
# A plain Desktop folder, as on Windows: Dorvane writes no shortcut into a desktop that
# a link (here Wine's own, into the Unix home) has moved.
for d in "$c"/users/*/Desktop; do
    if [ -L "$d" ]; then rm -f "$d" && mkdir -p "$d"; fi
done
menubuilder="in the prefix, disabled; Wine's shortcut save still tries to start it for each shortcut"
if [ "${BENCH_NO_MENUBUILDER:-0}" = 1 ]; then
    rm -f "$c/windows/system32/winemenubuilder.exe"
    menubuilder="removed from the prefix (BENCH_NO_MENUBUILDER=1)"
fi
mkdir -p "$c/bench/bin" "$c/bench/app" "$c/bench/out"
"$python" "$here/gen_tree.py" office "$c/bench/office" >"$raw/tree.txt"
# Wine sets SystemDrive to C: in every process it starts, whatever the parent says, so
# the Word that the whole-process runs find lives on C: itself; the search timed
# inside one process points "systemdrive" at the big tree instead.
"$python" "$here/gen_tree.py" wordonly "$c"
"$python" "$here/gen_tree.py" install "$c/bench/app" --count 200 >"$raw/install-data.txt"
"$python" "$here/gen_tree.py" configs "$c/bench/listapp" --count 10000 >"$raw/list-data.txt"
cp "$build/Dorvane.exe" "$c/bench/app/"
cp "$build"/bench/bench_*.exe "$c/bench/bin/"
cp "$build"/bench/bench_{mininstall,minrepeat,minstart,minwindow,steps,growth}.exe "$c/bench/app/"
cp "$build/bench/bench_list.exe" "$c/bench/listapp/"

win() { wine "$@" </dev/null 2>>"$raw/wine-stderr.txt"; }
appdata=$(win cmd /c echo %APPDATA% | tr -d '\r')
profile=$(win cmd /c echo %USERPROFILE% | tr -d '\r')
templates="$appdata\\Microsoft\\Templates"
desktop="$profile\\Desktop"
desktop_unix=$(winepath -u "$desktop")
mkdir -p "$(winepath -u "$templates")"

bin='C:\bench\bin'
office='C:\bench\office\Program Files\Microsoft Office'
word='C:\Program Files\Microsoft Office\root\Office16\WINWORD.EXE'
launch() { win "$bin\\bench_launch.exe" "$@"; }
echo "measuring, $runs runs after one warm-up each, all on CPU $cpu ..." >&2

# Startup search on the Office tree: floor, literal reading, LocateWordExe and
# FindFiles (the three applications' names, and Word's alone) in rounds inside one
# process, then the same comparison with many hits (so that the order is put to the
# test), and cmd's dir /s.
win "$bin\\bench_search.exe" all "$office" 'C:\bench\office' 'winword.exe;excel.exe;powerpnt.exe' \
    1 "$runs" 'C:\bench\out' \
    >"$raw/search.txt"
win "$bin\\bench_search.exe" compare "$office" '*.xml;*.png' 'C:\bench\out' -many
launch 1 "$runs" -- cmd /c dir /s /b "$office\\winword.exe" >"$raw/cmd.txt"

# Process start: a command line that matches nothing, Word alone below Office.
dorvane='C:\bench\app\Dorvane.exe'
minstart='C:\bench\app\bench_minstart.exe'
launch 1 "$runs" -- "$dorvane" /none -- "$minstart" >"$raw/start.txt"
launch --peak 1 "$runs" -- "$dorvane" /none -- "$minstart" >"$raw/start-peak.txt"

# Window start: no arguments, until Form1 is visible with the 200 configurations of
# the app folder listed (it fills the list before it shows), against a minimal
# program that opens one window; each is closed once seen.
minwindow='C:\bench\app\bench_minwindow.exe'
win "$bin\\bench_winstart.exe" 1 "$runs" -- DorvaneForm1 "$dorvane" -- BenchMinWindow "$minwindow" \
    >"$raw/winstart.txt"

# The configuration list: RefreshConfigList on 10,000 configurations against one
# listing and as many list-box insertions, inside one process.
win 'C:\bench\listapp\bench_list.exe' 1 "$runs" >"$raw/list.txt"

# Installing 200 configurations, with the start of each program alone in the same
# rounds. Each installer's first run finds an empty profile (the round empties it
# first, as a new user's first logon would); Dorvane's second run finds what its first
# run left, as at every later logon, and so does the reference that only checks.
mini=('C:\bench\app\bench_mininstall.exe' 'C:\bench\app' "$templates" "$desktop" "$word")
minrepeat=('C:\bench\app\bench_minrepeat.exe' 'C:\bench\app' "$templates" "$desktop" "$word")
empty=(cmd /c del /q "$templates\\*" "$desktop\\*.lnk")
launch 1 "$runs" -- "${empty[@]}" -- "$dorvane" /installall -- "$dorvane" /installall \
    -- "${minrepeat[@]}" 200 -- "${minrepeat[@]}" 0 -- "$dorvane" /none -- "${empty[@]}" \
    -- "${mini[@]}" 200 -- "${mini[@]}" 0 >"$raw/install.txt"
# What each wrote, once more on its own; and what Dorvane's second run touched.
# Empties the user's templates folder and desktop (too many names for one rm at 10,000).
clear_profile() { find "$tdir" "$desktop_unix" -mindepth 1 -maxdepth 1 -type f -delete; }
changed() { stat -c '%n|%z' "$tdir"/* "$desktop_unix/"*.lnk 2>/dev/null; }
tdir=$(winepath -u "$templates")
for who in dorvane minimal; do
cp "$build"/bench/bench_{mininstall,minrepeat,minstart,minwindow,steps,growth}.exe "$c/bench/app/"
cp "$build/bench/bench_list.exe" "$c/bench/listapp/"
    if [ $who = dorvane ]; then
        launch 0 1 -- "$dorvane" /installall >/dev/null
        changed >"$raw/after-first.txt"
        sleep 1
        launch 0 1 -- "$dorvane" /installall >/dev/null
        changed >"$raw/after-repeat.txt"
    else
        launch 0 1 -- "${mini[@]}" 200 >/dev/null
    fi
    mkdir -p "$raw/lnk-$who"
    cp "$desktop_unix/"*.lnk "$raw/lnk-$who/" 2>/dev/null || true
done

# The repeat run once more from a copy of the folder (same file times) that also has
# 20 retired configurations whose files are gone, against the run without them.
cp -a "$c/bench/app" "$c/bench/retapp"
mkdir "$c/bench/retapp/Retired"
for f in "$c/bench/app/Configs/Config 0"[01]?.cfg; do
    sed 's/=Company Letter/=Retired Letter/; s/=Letter/=Retired Letter/' "$f" \
        >"$c/bench/retapp/Retired/Retired ${f##*/Config }"
done
launch 0 1 -- "$dorvane" /installall >/dev/null
launch 1 "$runs" -- "$dorvane" /installall -- 'C:\bench\retapp\Dorvane.exe' /installall \
    >"$raw/retired.txt"

# The repeat run once more from a copy of the folder in which every configuration is
# for members of two groups (the first one the user is not in, so both are asked),
# against the run without them.
cp -a "$c/bench/app" "$c/bench/grpapp"
for f in "$c/bench/grpapp/Configs/"*.cfg; do
    printf 'Groups=Guests; BUILTIN\\Users\r\n' >>"$f"
done
launch 0 1 -- 'C:\bench\grpapp\Dorvane.exe' /installall >/dev/null
launch 1 "$runs" -- "$dorvane" /installall -- 'C:\bench\grpapp\Dorvane.exe' /installall \
    >"$raw/groups.txt"

# The repeat run with the install record against the same program without it (its
# record calls linked as no-ops, bench/no_record.cpp), on the same profile.
cp "$build/bench/bench_norecord.exe" "$c/bench/app/"
launch 0 1 -- "$dorvane" /installall >/dev/null
launch 1 "$runs" -- "$dorvane" /installall -- 'C:\bench\app\bench_norecord.exe' /installall \
    >"$raw/record.txt"

# "/check" on the repeat run's profile (200 unchanged configurations) against the repeat
# run itself, same rounds: it decides as the run does and writes nothing.
launch 0 1 -- "$dorvane" /installall >/dev/null
launch 1 "$runs" -- "$dorvane" /installall -- "$dorvane" /check >"$raw/check.txt"

# Removing 20 retired configurations whose files are in place: a round runs the repeat
# run, then the run from a copy that has 20 of them in Retired (which removes their
# files), then a run that puts them back for the next round.
cp -a "$c/bench/app" "$c/bench/remapp"
mkdir "$c/bench/remapp/Retired"
mv "$c/bench/remapp/Configs/Config 0"[01]?.cfg "$c/bench/remapp/Retired/"
launch 1 "$runs" -- "$dorvane" /installall -- 'C:\bench\remapp\Dorvane.exe' /installall \
    -- "$dorvane" /installall >"$raw/removal.txt"
launch 0 1 -- "$dorvane" /installall >/dev/null

# Installing call by call (writes the same files and shortcuts once more).
win 'C:\bench\app\bench_steps.exe' "$templates" "$desktop" "$word" 1 "$runs" >"$raw/steps.txt"

# Many configurations, each first run once: does the cost per configuration stay?
large=${BENCH_LARGE:-0}
if [ "$large" -gt 0 ]; then
    echo "installing $large configurations (a quarter of an hour on a quiet machine) ..." >&2
    "$python" "$here/gen_tree.py" install "$c/bench/large" --count "$large" >"$raw/large-data.txt"
    cp "$build/Dorvane.exe" "$c/bench/large/"
    clear_profile
    cp "$build/bench/bench_mininstall.exe" "$build/bench/bench_growth.exe" "$c/bench/large/"
    large_exe='C:\bench\large\Dorvane.exe'
    large_mini=('C:\bench\large\bench_mininstall.exe' 'C:\bench\large' "$templates" "$desktop"
        "$word")
    launch 0 1 -- "$large_exe" /installall -- "$large_exe" /installall -- "$large_exe" /none \
        -- "${empty[@]}" -- "${large_mini[@]}" "$large" -- "${large_mini[@]}" 0 >"$raw/large.txt"
    echo "info configs=$large" >>"$raw/large.txt"
    # The first install once more, call by call, 1,000 configurations a line.
    clear_profile
    win 'C:\bench\large\bench_growth.exe' "$templates" "$desktop" "$word" 1000 \
        >"$raw/large-calls.txt"
    rm -rf "$c/bench/large"
    clear_profile
fi

# What a logon over a slow link waits for: opens and queries of the program's folder,
# counted from Wine's file trace (a count, not a time; it empties the profile first).
"$python" "$here/count_touches.py" "$c/bench/touch" --count 200 >"$raw/touches.txt"
rm -rf "$c/bench/touch"

load_after=$(cut -d' ' -f1-3 /proc/loadavg)
{
    echo "wine $(wine --version 2>/dev/null); pinned to CPU $cpu; load average before $load_before, after $load_after"
    echo "winemenubuilder.exe: $menubuilder"
    cat "$raw/tree.txt" "$raw/install-data.txt" "$raw/list-data.txt"
} >"$raw/conditions.txt"
i686-w64-mingw32-objdump -p "$build/Dorvane.exe" >"$raw/dorvane-objdump.txt"
i686-w64-mingw32-objdump -p "$build/bench/bench_minstart.exe" >"$raw/minstart-objdump.txt"
stat -c %s "$build/Dorvane.exe" >"$raw/dorvane-size.txt"
cp "$c/bench/out/"list-*.txt "$raw/"

"$python" "$here/report.py" "$raw"
echo
cat "$raw/touches.txt"
