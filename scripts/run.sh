#!/bin/bash
# Builds Dorvane and runs it on the demo application folder (demo/) in a Wine prefix
# of its own (build/demo-wine), with a stand-in Word installed, then shows the user's
# templates folder, the desktop shortcuts and the exit code.
#
#   scripts/run.sh /installall
#   scripts/run.sh /install Company Letter
#   scripts/run.sh '/copy  Letter.dotx'      (quote to keep blanks exactly)
#
# The arguments, joined with single blanks, are the exact argument string Dorvane gets.
set -euo pipefail
cd "$(dirname "$0")/.."
tail="$*"
if [ -z "$tail" ]; then
    echo "Without arguments Dorvane opens its main window, which is not built yet."
    echo "Try a command-line action instead, for example:"
    echo "  scripts/run.sh /installall"
    exit 0
fi
scripts/setup-debian.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw
prefix="$PWD/build/demo-wine/prefix"
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true' EXIT
status=0
PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 scripts/run-demo.py build "$tail" || status=$?
exit $status
