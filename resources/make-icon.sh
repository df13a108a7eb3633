#!/bin/bash
# Draws Dorvane.ico: a page with a folded corner and a blue "D", at 16, 32, 48 and
# 256 pixels, 32 bits per pixel. Run by hand after changing the drawing; the result
# is committed so that builds need no ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
IM=/usr/bin/convert   # a stand-in convert may come first on PATH
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
"$IM" -size 256x256 xc:none \
  -fill '#ffffff' -stroke '#1f3f8f' -strokewidth 8 \
  -draw 'path "M 40,12 L 176,12 L 232,68 L 232,244 L 40,244 Z"' \
  -fill '#c9d6f2' -draw 'path "M 176,12 L 176,68 L 232,68 Z"' \
  -stroke none -fill '#1f3f8f' \
  -draw 'path "M 82,86 L 128,86 C 196,86 196,212 128,212 L 82,212 Z"' \
  -fill '#ffffff' \
  -draw 'path "M 108,110 L 126,110 C 164,110 164,188 126,188 L 108,188 Z"' \
  PNG32:"$tmp/256.png"
for s in 16 32 48; do "$IM" "$tmp/256.png" -resize ${s}x${s} PNG32:"$tmp/$s.png"; done
"$IM" "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" "$tmp/256.png" Dorvane.ico
