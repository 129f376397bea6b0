#!/bin/bash
# The help page and a website entry in a real window: starts the program on
# a virtual display of its own (tests/virtual_display.py, no window manager)
# with a stand-in browser launcher first on PATH, presses Alt+B, F2 and Alt+T
# as a user would, and checks what the launcher was given.
#
# usage: run_browser_test.sh KIDSUM HELP_PAGE_SOURCE
#   KIDSUM            the built executable (help.htm lies beside it)
#   HELP_PAGE_SOURCE  the page we ship, menus/help.htm
# The title and the website's main base are the build's, in KIDSUM_TITLE and
# KIDSUM_MAIN_BASE (CTest gives them).
set -u

# The script runs itself again on the display, marked by this first argument.
on_display=0
if [ "${1:-}" = --on-display ]; then
    on_display=1
    shift
fi
exe=${1:?usage: run_browser_test.sh KIDSUM HELP_PAGE_SOURCE}
page=${2:?usage: run_browser_test.sh KIDSUM HELP_PAGE_SOURCE}
base=${KIDSUM_MAIN_BASE:?the main base of the build}
title=${KIDSUM_TITLE:?the title of the build}
here=$(cd "$(dirname "$0")" && pwd)

fail() {
    echo "FAIL: $*" >&2
    if [ -s "${work:-/nonexistent}/kidsum.out" ]; then
        echo "--- program output ---" >&2
        cat "$work/kidsum.out" >&2
    fi
    exit 1
}

for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (packages xvfb, xdotool)"
done
[ -x "$exe" ] || fail "no executable at $exe"
[ -f "$page" ] || fail "no help page at $page"
[ "$on_display" -eq 1 ] || exec python3 "$here/../virtual_display.py" --screen 1280x1024x24 \
    -- bash "$0" --on-display "$@"

work=$(mktemp -d)
kidsum_pid=
cleanup() {
    [ -n "$kidsum_pid" ] && kill "$kidsum_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The stand-in launcher, copied so its mode does not depend on the checkout.
mkdir "$work/bin"
cp "$here/xdg-open" "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
log=$work/opened.log
mkdir -m 700 "$work/runtime"

# Only the stand-in may be found: first on PATH, and named by BROWSER for a
# launcher that asks that variable. No desktop session and no portal: the
# session bus points nowhere, so none is started behind our back either.
env -u WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-session-bus" \
    PATH="$work/bin:$PATH" BROWSER="$work/bin/xdg-open" KIDSUM_OPENED_LOG="$log" \
    XDG_RUNTIME_DIR="$work/runtime" \
    DE=generic XDG_CURRENT_DESKTOP=X-Generic QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=0 \
    "$exe" >"$work/kidsum.out" 2>&1 &
kidsum_pid=$!

window=$(timeout 20 xdotool search --sync --name "$title" | head -n 1)
[ -n "$window" ] || fail "the window did not appear"
# No window manager: give the window the input focus directly, so Qt takes it
# as the active window and its shortcuts work.
xdotool windowfocus --sync "$window" || fail "could not focus the window"
sleep 0.3

lines() { if [ -f "$log" ]; then wc -l <"$log"; else echo 0; fi; }

# Waits up to about 5 s until the record holds $1 lines.
await_lines() {
    for _ in $(seq 50); do
        [ "$(lines)" -ge "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# Percent-decodes a URL's text (UTF-8 bytes included).
decode() {
    printf '%b' "${1//%/\\x}"
}

xdotool key --clearmodifiers alt+b
await_lines 1 || fail "Alt+B opened nothing"
opened=$(sed -n 1p "$log")
folder=$(cd "$(dirname "$exe")" && pwd -P)
case $opened in
    file://*) ;;
    *) fail "Alt+B opened '$opened', not a file URL" ;;
esac
case $opened in
    *' '*) fail "the file URL '$opened' is not encoded" ;;
esac
file=$(decode "${opened#file://}")
[ "$file" = "$folder/help.htm" ] || fail "Alt+B opened '$file', expected '$folder/help.htm'"
[ -f "$file" ] || fail "the help page '$file' does not exist"
cmp -s "$file" "$page" || fail "'$file' is not the page we ship ($page)"
echo "ok: Alt+B opened $opened"

xdotool key --clearmodifiers F2
await_lines 2 || fail "F2 opened nothing"
opened=$(sed -n 2p "$log")
[ "$opened" = "$base/tools/" ] || fail "F2 opened '$opened', expected '$base/tools/'"
echo "ok: F2 opened $opened"

xdotool key --clearmodifiers alt+t
for _ in $(seq 50); do
    kill -0 "$kidsum_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$kidsum_pid" 2>/dev/null && fail "Alt+T did not end the program"
wait "$kidsum_pid"
status=$?
kidsum_pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "ok: Alt+T ended the program"

[ "$(lines)" -eq 2 ] || fail "the launcher was called $(lines) times, expected 2: $(cat "$log")"
echo "PASS"
