#!/bin/bash
# Runs a Windows program under Wine in a throw-away prefix that belongs to one build
# tree: wine-run.sh ROOT PROGRAM.exe [ARGS...]. CTest uses it as the cross-compiling
# emulator; scripts use it to reach the same prefix.
#
# Wine's background processes (wineserver, services, the desktop) outlive the program
# and would inherit our output pipes, so CTest would wait for them. They are started
# once, with every standard stream on /dev/null, and the program's own output passes
# through a file.
set -u
root=${1:?usage: wine-run.sh ROOT PROGRAM [ARGS...]}
shift
mkdir -p "$root"
root=$(cd "$root" && pwd)
export WINEPREFIX="$root/prefix"
export HOME="$root/home"
export WINEARCH=win32
export WINEDEBUG=${DORVANE_WINEDEBUG:--all}
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
# Without a Desktop folder in HOME, Wine maps the Windows desktop onto the real home.
mkdir -p "$HOME/Desktop"

boot() {
    wineserver -p </dev/null >/dev/null 2>&1
    if [ ! -f "$WINEPREFIX/.dorvane-booted" ]; then
        wineboot -i </dev/null >/dev/null 2>&1 || return 1
        # A virtual desktop: on bare Xvfb, without a window manager, every window
        # hide or destroy otherwise waits two seconds.
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1
        wineserver -w </dev/null >/dev/null 2>&1
        wineserver -p </dev/null >/dev/null 2>&1
        touch "$WINEPREFIX/.dorvane-booted"
    fi
    if [ ! -f "$WINEPREFIX/.dorvane-plain-desktop" ]; then
        plain_desktop
        touch "$WINEPREFIX/.dorvane-plain-desktop"
    fi
    if [ ! -f "$WINEPREFIX/.dorvane-wine-fonts" ]; then
        "$(dirname "$0")/wine-fonts.sh" "$WINEPREFIX" || return 1
        touch "$WINEPREFIX/.dorvane-wine-fonts"
    fi
}
# Wine links the profile's Desktop to a folder of the Unix home. On Windows it is a
# plain folder (or one the shell itself reports elsewhere, redirected by policy), and
# Dorvane refuses to write into a desktop that a link has moved. So the prefix gets a
# plain Desktop folder, as a Windows profile has (once: tests plant links of their own).
plain_desktop() {
    local d
    for d in "$WINEPREFIX"/drive_c/users/*/Desktop; do
        if [ -L "$d" ]; then rm -f "$d" && mkdir -p "$d"; fi
    done
}
(
    flock 9
    boot 9>&-
) 9>"$root/boot.lock" || { echo "wine-run.sh: could not prepare $WINEPREFIX" >&2; exit 125; }

if [ "${DORVANE_WINE_PASSTHROUGH:-0}" = 1 ]; then
    exec wine "$@"
fi
out=$(mktemp "$root/out.XXXXXX")
wine "$@" </dev/null >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
exit $rc
