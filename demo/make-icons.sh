#!/bin/bash
# Draws the demo's alternate shortcut icon AltIcons/letter.ico from the program's own
# icon: the same page, recoloured, at 16, 32 and 48 pixels. Run by hand; the result is
# committed.
set -euo pipefail
cd "$(dirname "$0")"
IM=/usr/bin/convert   # a stand-in convert may come first on PATH
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
# The largest frame of the program's icon, its blue turned to crimson.
"$IM" '../resources/Dorvane.ico[3]' -modulate 100,120,160 PNG32:"$tmp/256.png"
for s in 16 32 48; do "$IM" "$tmp/256.png" -resize ${s}x${s} PNG32:"$tmp/$s.png"; done
"$IM" "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" AltIcons/letter.ico
