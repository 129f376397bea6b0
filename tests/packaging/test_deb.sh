#!/usr/bin/env bash
# test_deb.sh BUILD_DIR WORK_DIR VERSION
# Builds the .deb with CPack, lets lintian judge it, installs it with dpkg,
# starts /usr/bin/kidsum on a virtual display and removes the package again,
# also when a check fails. Needs root and dpkg; skipped (77) without them, and
# when a kidsum package is already installed (it is not ours to remove).
set -uo pipefail
# The script runs itself again on a virtual display, marked by this first argument.
on_display=0
[[ ${1:-} == --on-display ]] && { on_display=1; shift; }
build=$1 work=$2 version=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=window_check.sh
source "$here/window_check.sh"

if [[ $(id -u) -ne 0 ]]; then
    echo "SKIP: installing a package needs root"
    exit 77
fi
missing=$(missing_tools dpkg dpkg-deb dpkg-shlibdeps cpack file Xvfb xdotool)
if [[ -n $missing ]]; then
    echo "SKIP: not installed: $missing"
    exit 77
fi
if dpkg-query -W -f='${Status}' kidsum 2>/dev/null | grep -q "ok installed"; then
    echo "SKIP: a kidsum package is already installed on this machine"
    exit 77
fi
((on_display)) || exec python3 "$here/../virtual_display.py" --screen 1024x768x24 \
    -- bash "$0" --on-display "$@"

rm -rf "$work"
mkdir -p "$work"
installed=0
cleanup() {
    stop_program_hard
    if [[ $installed -eq 1 ]]; then
        dpkg -r kidsum >"$work/remove.log" 2>&1 || { echo "FAIL: dpkg -r kidsum"; cat "$work/remove.log"; }
    fi
}
trap cleanup EXIT

if ! (cd "$build" && cpack -G DEB -B "$work") >"$work/cpack.log" 2>&1; then
    echo "FAIL: cpack -G DEB"
    cat "$work/cpack.log"
    exit 1
fi
echo "cpack: ${SECONDS}s"
deb=$(find "$work" -maxdepth 1 -name "kidsum_${version}_*.deb" | head -n1)
[[ -n $deb ]] || { echo "FAIL: no kidsum_${version}_*.deb in $work"; exit 1; }

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Dependencies: the Qt libraries found by dpkg-shlibdeps (Debian 13 names
# them with t64, for its 64-bit time) and the three that no library link
# reveals. Each entry is a pattern for a whole name.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in 'libqt6widgets6(t64)?' 'libqt6gui6(t64)?' 'libqt6core6(t64)?' \
              'fonts-noto-cjk \| fonts-wqy-microhei' xdg-utils qt6-translations-l10n; do
    pattern=", $needed[ ,]"
    [[ ", $depends," =~ $pattern ]] || fail "Depends lacks $needed"
done
[[ $(dpkg-deb -f "$deb" Section) == education ]] || fail "Section is not education"
# Qt's catalogue comes from qt6-translations-l10n, never as a second copy.
if dpkg-deb -c "$deb" | grep -q 'qtbase_zh_CN\.qm'; then
    fail "the package carries its own qtbase_zh_CN.qm"
fi

if command -v lintian >/dev/null 2>&1; then
    # lintian refuses nothing as root but says so; its tags are what counts.
    lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || fail "lintian reports errors"
    grep -E '^[EW]: ' "$work/lintian.log"
    echo "lintian done: ${SECONDS}s"
else
    echo "note: lintian is not installed, the package is not judged"
fi

if ! dpkg -i "$deb" >"$work/install.log" 2>&1; then
    installed=1
    echo "FAIL: dpkg -i"
    cat "$work/install.log"
    exit 1
fi
installed=1
[[ $(readlink /usr/bin/kidsum) == ../lib/kidsum/kidsum ]] || fail "/usr/bin/kidsum is not the link"

cd "$work" || exit 1
check_installed_program /usr/bin/kidsum "$version" || failures=$((failures + 1))

if [[ $failures -ne 0 ]]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "package $(basename "$deb") installs and runs (${SECONDS}s); removed on exit"
