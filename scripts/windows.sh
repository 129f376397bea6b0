#!/usr/bin/env bash
# The Windows program, cross-built with MinGW-w64 in a minimal Debian 13 root
# and tested under Wine there.
#
#   bash scripts/windows.sh        builds Qt for Windows into its cache folder
#                                  when it is missing (once; docs/install.md
#                                  says how long it takes),
#                                  then kidsum.exe, the zip and the installer
#   bash scripts/windows.sh test   the same, then every Windows test: the test
#                                  programs through Wine, the real window, the
#                                  browser, the zip and the installer
#
# Needs root (through sudo when not root): it makes the root and runs in it.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
source scripts/deps.sh
source scripts/windows/qt-cache.sh
mode=${1:-build}
case $mode in
build | test) ;;
*) echo "usage: bash scripts/windows.sh [test]" >&2; exit 2 ;;
esac

# Everything below runs in a minimal Debian 13 root in the cache folder, where
# MinGW-w64 and the tools of the Qt that is built (moc, rcc, uic) are Debian's
# own packages; this machine needs only debootstrap. The source tree and the
# cache folder appear in the root at the same paths. The root is made once.
if [[ ! -f /etc/kidsum-windows-root ]]; then
    [[ $(id -u) -eq 0 ]] || exec sudo bash "$0" "$@"
    if [[ ! -f $windows_root/.kidsum-complete ]]; then
        remove_root "$windows_root"
        mkdir -p "$windows_root"
        cp -a "$(debian_base_root 13)/." "$windows_root/"
        touch "$windows_root/etc/kidsum-windows-root" "$windows_root/.kidsum-complete"
    fi
    in_root "$windows_root" "$top" "$kidsum_cache" -- bash "$top/scripts/windows.sh" "$mode"
    exit
fi

ensure_packages "${build_packages[@]}" "${run_packages[@]}" "${windows_packages[@]}"
[[ $mode == test ]] && ensure_packages "${headless_packages[@]}" python3

began=$(date +%s)
if qt_cache_complete; then
    echo "Qt for Windows: $qt_prefix"
else
    bash scripts/windows/build-qt.sh
fi

step=$(date +%s)
cmake --preset windows >/dev/null
cmake --build --preset windows
(cd build/windows && cpack -G ZIP >/dev/null && cpack -G NSIS >/dev/null)
# The title, version and website base of this build, for the names of the
# packages and for the checks under Wine.
fact() { sed -n "s/^$1:[A-Z]*=//p" build/windows/CMakeCache.txt; }
export KIDSUM_TITLE KIDSUM_VERSION KIDSUM_MAIN_BASE
KIDSUM_TITLE=$(fact CMAKE_PROJECT_DESCRIPTION)
KIDSUM_VERSION=$(fact CMAKE_PROJECT_VERSION)
KIDSUM_MAIN_BASE=$(fact KIDSUM_MAIN_BASE)
for package in "build/windows/kidsum-$KIDSUM_VERSION-win64.zip" \
               "build/windows/kidsum-$KIDSUM_VERSION-win64-setup.exe"; do
    [[ -f $package ]] || { echo "cpack made no $package" >&2; exit 1; }
    echo "$package: $(( $(stat -c %s "$package") / 1024 )) KiB"
done
echo "program and packages: $(( $(date +%s) - step )) s"

if [[ $mode == test ]]; then
    step=$(date +%s)
    # A fresh Wine prefix for this run; the test programs share it.
    WINEPREFIX=$(mktemp -d /tmp/kidsum-wine-ctest.XXXXXX)
    export WINEPREFIX
    wineserver=/usr/lib/wine/wineserver
    [[ -x $wineserver ]] || wineserver=wineserver
    trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
    # Wine opens windows (Qt's message window among them) on an X display.
    /usr/bin/python3 tests/virtual_display.py --screen 1024x768x24 -- ctest --preset windows
    echo "test programs under Wine: $(( $(date +%s) - step )) s"

    step=$(date +%s)
    /usr/bin/python3 tests/windows/wine_checks.py --build build/windows \
        --shots build/windows/wine-shots
    echo "real-window checks under Wine: $(( $(date +%s) - step )) s"
fi
echo "scripts/windows.sh $mode: $(( $(date +%s) - began )) s in all"
