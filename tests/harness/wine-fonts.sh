#!/bin/bash
# Copies Wine's own fonts (Debian's fonts-wine) into a prefix's C:\windows\Fonts:
# wine-fonts.sh PREFIX. Debian's Wine does not look in /usr/share/wine/fonts, so
# without this every face a window asks for (MS Sans Serif, Tahoma...) becomes
# DejaVu Sans, which is wider than the faces the windows were laid out in.
set -eu
prefix=${1:?usage: wine-fonts.sh PREFIX}
src=/usr/share/wine/fonts
[ -d "$src" ] || { echo "wine-fonts.sh: $src missing (install fonts-wine)" >&2; exit 1; }
mkdir -p "$prefix/drive_c/windows/Fonts"
cp -f "$src"/* "$prefix/drive_c/windows/Fonts/"
