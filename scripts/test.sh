#!/bin/bash
# The whole test suite: installs what is missing, builds with the mingw preset and
# runs every test under Wine (GUI tests in a private Xvfb). Ends with CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --preset mingw -j "$(nproc)" "$@" || status=$?
# Stop this build's Wine server (and only it).
WINEPREFIX="$PWD/build/wine/prefix" wineserver -k 2>/dev/null || true
exit $status
