#!/usr/bin/env bash
# test_install.sh BUILD_DIR WORK_DIR VERSION
# Installs the build into a clean prefix, checks the layout the desktop and the
# program rely on, and starts the program through its bin/ link on a virtual
# display.
set -uo pipefail
# The script runs itself again on a virtual display, marked by this first argument.
on_display=0
[[ ${1:-} == --on-display ]] && { on_display=1; shift; }
build=$1 work=$2 version=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=window_check.sh
source "$here/window_check.sh"

missing=$(missing_tools Xvfb xdotool)
if [[ -n $missing ]]; then
    echo "SKIP: not installed: $missing"
    exit 77
fi
((on_display)) || exec python3 "$here/../virtual_display.py" --screen 1024x768x24 \
    -- bash "$0" --on-display "$@"

rm -rf "$work"
mkdir -p "$work"
trap stop_program_hard EXIT
prefix="$work/prefix"
if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    echo "FAIL: cmake --install"
    cat "$work/install.log"
    exit 1
fi

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# The application folder, and the link that the menu entry and PATH reach.
app="$prefix/lib/kidsum"
[[ -L $prefix/bin/kidsum ]] || fail "bin/kidsum is not a symbolic link"
[[ $(readlink "$prefix/bin/kidsum") == ../lib/kidsum/kidsum ]] \
    || fail "bin/kidsum points to '$(readlink "$prefix/bin/kidsum")', not ../lib/kidsum/kidsum"
[[ -x $app/kidsum && ! -L $app/kidsum ]] || fail "lib/kidsum/kidsum is not the executable"
[[ -f $app/help.htm ]] || fail "help.htm is not beside the executable"
[[ -f $app/qtbase_zh_CN.qm ]] || fail "Qt's catalogue qtbase_zh_CN.qm is not beside the executable"
# The own faces (when the build could cut them) with their licence.
if [[ -d $build/fonts ]]; then
    for file in kidsum-sans.otf kidsum-serif.otf LICENSE-OFL-1.1.txt; do
        [[ -f $app/fonts/$file ]] || fail "fonts/$file is not beside the executable"
    done
fi
for picture in ok err white; do
    [[ -f $app/img/$picture.jpg ]] || fail "img/$picture.jpg missing"
done
for set in 1 2 3; do
    count=$(find "$app/img/$set" -maxdepth 1 -name '*.jpg' 2>/dev/null | wc -l)
    [[ $count -eq 67 ]] || fail "img/$set holds $count pictures, not 67"
    [[ -f $app/img/$set/0.jpg && -f $app/img/$set/66.jpg ]] || fail "img/$set is not 0.jpg to 66.jpg"
done

# Icons: each file in the NxN folder must really be N x N (PNG header).
png_size() {
    local bytes
    read -ra bytes < <(od -An -tu1 -j16 -N8 "$1")
    echo "$(( (bytes[2] << 8) | bytes[3] ))x$(( (bytes[6] << 8) | bytes[7] ))"
}
for size in 16 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/kidsum.png"
    if [[ ! -f $icon ]]; then
        fail "icon ${size}x${size} missing"
    elif [[ $(png_size "$icon") != "${size}x${size}" ]]; then
        fail "icon in ${size}x${size} is $(png_size "$icon")"
    fi
done

# The desktop entry must name a command and an icon that the install provides,
# and the metadata must launch that entry and carry this version's release.
desktop="$prefix/share/applications/kidsum.desktop"
if [[ -f $desktop ]]; then
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    icon_name=$(sed -n 's/^Icon=//p' "$desktop")
    [[ -e $prefix/bin/$exec_name ]] || fail "Exec=$exec_name is not installed in bin/"
    [[ -f $prefix/share/icons/hicolor/48x48/apps/$icon_name.png ]] \
        || fail "Icon=$icon_name is not an installed icon"
else
    fail "no desktop entry in share/applications"
fi
metainfo=$(find "$prefix/share/metainfo" -name '*.metainfo.xml' 2>/dev/null | head -n1)
if [[ -n $metainfo ]]; then
    launchable=$(sed -n 's/.*<launchable type="desktop-id">\([^<]*\)<.*/\1/p' "$metainfo")
    [[ -f $prefix/share/applications/$launchable ]] \
        || fail "metainfo launches '$launchable', which is not installed"
    newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n1)
    [[ $newest == "$version" ]] || fail "newest release in the metainfo is '$newest', not $version"
else
    fail "no metainfo in share/metainfo"
fi

doc="$prefix/share/doc/kidsum"
[[ -f $doc/copyright ]] || fail "share/doc/kidsum/copyright missing"
if [[ -f $doc/changelog.gz ]]; then
    gzip -dc "$doc/changelog.gz" | head -n1 | grep -q "^kidsum ($version)" \
        || fail "changelog.gz does not start with version $version"
else
    fail "share/doc/kidsum/changelog.gz missing"
fi
gzip -t "$prefix/share/man/man1/kidsum.1.gz" 2>/dev/null || fail "manual page missing or damaged"

# Through the link, from another folder: the program must find img/ beside
# its real file, not beside the link nor in the working folder.
cd "$work" || exit 1
check_installed_program "$prefix/bin/kidsum" "$version" || failures=$((failures + 1))

mkdir -p "$work/bare"
cp "$app/kidsum" "$work/bare/kidsum"
check_detects_missing_pictures "$work/bare/kidsum" "$version" || failures=$((failures + 1))

if [[ $failures -ne 0 ]]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "install layout under $prefix is complete"
