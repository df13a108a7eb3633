#!/bin/bash
# What the event a failed run leaves costs: a repeat "/installall" of 200 configurations,
# one of which names a missing template (so every run exits 1 and writes a Warning),
# with [EventLog] Enabled=1 against Enabled=0, the same program in two copies of the
# folder, in alternating rounds on one CPU.
#
#   bench/events.sh [RUNS]       (default 15 measured rounds after one warm-up)
#
# Under Wine ReportEventW writes nothing anywhere (its trace channel is off here), so
# the figure is Dorvane's own share: building the text, opening and closing the source.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$here")
runs=${1:-15}
build=${BENCH_BUILD:-$repo/build}
work=$build/bench-events
if [ "${BENCH_PHASE:-}" != measure ]; then
    cmake --build "$build" --target Dorvane dorvane_bench >/dev/null
    export BENCH_PHASE=measure
    exec taskset -c "${BENCH_CPU:-1}" xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
rm -rf "$work"
mkdir -p "$work/home/Desktop"
export WINEPREFIX=$work/prefix HOME=$work/home WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
wineboot -i </dev/null >/dev/null 2>&1
wineserver -w
c=$WINEPREFIX/drive_c
for d in "$c"/users/*/Desktop; do
    if [ -L "$d" ]; then rm -f "$d" && mkdir -p "$d"; fi
done
mkdir -p "$c/bench/bin"
/usr/bin/python3 "$here/gen_tree.py" wordonly "$c"
/usr/bin/python3 "$here/gen_tree.py" install "$c/bench/on" --count 200 >/dev/null
printf '[Config]\r\nTemplateFile=Missing.dotx\r\n' >"$c/bench/on/Configs/Broken.cfg"
cp "$build/Dorvane.exe" "$c/bench/on/"
cp "$build/bench/bench_launch.exe" "$c/bench/bin/"
cp -a "$c/bench/on" "$c/bench/off"
printf '[EventLog]\r\nEnabled=1\r\n' >"$c/bench/on/Dorvane.ini"
printf '[EventLog]\r\nEnabled=0\r\n' >"$c/bench/off/Dorvane.ini"
wine 'C:\bench\on\Dorvane.exe' /installall </dev/null >/dev/null 2>&1 || true
wine 'C:\bench\bin\bench_launch.exe' 1 "$runs" -- 'C:\bench\on\Dorvane.exe' /installall \
    -- 'C:\bench\off\Dorvane.exe' /installall </dev/null 2>/dev/null | tr -d '\r' |
    /usr/bin/python3 -c '
import statistics, sys
rows = {}
for line in sys.stdin:
    name, *values = line.split()
    rows[name] = values
on = [float(v) for v in rows["wall_ms.1"]]
off = [float(v) for v in rows["wall_ms.2"]]
print("exit codes:", sorted(set(rows["exit.1"] + rows["exit.2"])))
for name, v in (("on ", on), ("off", off)):
    print(f"events {name}: median {statistics.median(v):.1f} ms, fastest {min(v):.1f} ms")
print(f"on / off: median {statistics.median(on) / statistics.median(off):.3f}, "
      f"fastest {min(on) / min(off):.3f}")'
