#!/bin/bash
# Builds Dorvane and runs it on the demo application folder (demo/) in a Wine prefix
# of its own (build/demo-wine), with a stand-in Word installed, then shows the user's
# templates folder, the desktop shortcuts and the exit code.
#
#   scripts/run.sh                           (the main window)
#   scripts/run.sh /installall
#   scripts/run.sh /install Company Letter
#   scripts/run.sh '/copy  Letter.dotx'      (quote to keep blanks exactly)
#
# The arguments, joined with single blanks, are the exact argument string Dorvane gets.
# Without arguments the main window opens on the current display; without a display,
# on a private virtual one, where a screenshot of each window is saved (PNG) in
# build/demo-shots and the windows are closed again.
set -euo pipefail
cd "$(dirname "$0")/.."
tail="$*"
scripts/setup-debian.sh
cmake --preset mingw >/dev/null
# Only what the demo runs: not the tests and benchmarks.
cmake --build --preset mingw --target Dorvane dorvane_test_tools
prefix="$PWD/build/demo-wine/prefix"
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true' EXIT
status=0
if [ -z "$tail" ] && [ -z "${DISPLAY:-}" ]; then
    PYTHONDONTWRITEBYTECODE=1 xvfb-run -a -s "-screen 0 1280x1024x24" \
        /usr/bin/python3 scripts/run-demo.py --shots build "" || status=$?
else
    PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 scripts/run-demo.py build "$tail" || status=$?
fi
exit $status
