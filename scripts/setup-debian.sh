#!/bin/bash
# Installs what a fresh Debian 12 machine lacks for building and testing Dorvane:
# the mingw-w64 cross compiler, 32-bit Wine, Xvfb, GoogleTest's sources, lnkinfo and
# the Python that runs the end-to-end tests, Wine's own fonts.
# Does nothing when everything is there already.
set -euo pipefail

need_pkgs=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_cmd cmake || need_pkgs+=(cmake)
have_cmd ninja || need_pkgs+=(ninja-build)
have_cmd i686-w64-mingw32-g++-posix || need_pkgs+=(g++-mingw-w64-i686-posix mingw-w64-i686-dev)
have_cmd xvfb-run || need_pkgs+=(xvfb xauth)
have_cmd lnkinfo || need_pkgs+=(liblnk-utils)
have_cmd flock || need_pkgs+=(util-linux)
[ -x /usr/bin/python3 ] || need_pkgs+=(python3)
[ -f /usr/src/googletest/CMakeLists.txt ] || need_pkgs+=(googletest)
# Wine's own fonts, copied into each prefix so that windows show Windows metrics.
[ -d /usr/share/wine/fonts ] || need_pkgs+=(fonts-wine)
if ! have_cmd wine || ! dpkg -s wine32:i386 >/dev/null 2>&1; then need_pkgs+=(wine wine32:i386); fi

[ ${#need_pkgs[@]} -eq 0 ] && exit 0

if [ "$(id -u)" != 0 ]; then
    echo "setup-debian.sh: missing packages (${need_pkgs[*]}); run as root to install them" >&2
    exit 1
fi
echo "setup-debian.sh: installing ${need_pkgs[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${need_pkgs[@]}"
