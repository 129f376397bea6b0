#!/usr/bin/env bash
# Start-up to first frame, the way a user meets it: the program's start-up
# (startup_probe) against two floors, on a virtual X display.
#   - fair_floor: the same outer size, the background, one label in each of
#     the window's two faces; the least this window can cost.
#   - empty_window: an empty main window, which starts no font at all.
# Every start runs in its own D-Bus session (without one Qt launches a bus
# daemon itself, on every start) with a fresh empty HOME and XDG_RUNTIME_DIR,
# and benchmarks/launch.py times the program alone: first frame, processor
# time and peak resident memory. One uncounted warm-up round, then N rounds,
# each starting the three in turn, the order rotating from round to round.
# Prints a Markdown table of the medians with their minimum and maximum and
# the ratios to both floors.
#
#   benchmarks/run_startup.sh [build folder] [N]     (defaults: build/bench, 21)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# The script runs itself again on a virtual display, marked by this first argument.
on_display=0
if [[ ${1:-} == --on-display ]]; then
    on_display=1
    shift
fi
build=$(cd "${1:-$top/build/bench}" && pwd)
rounds=${2:-21}
((rounds >= 11)) || { echo "at least 11 rounds" >&2; exit 1; }
programs=(startup_probe fair_floor empty_window)
for program in "${programs[@]}"; do
    [[ -x $build/$program ]] || { echo "missing: $build/$program" >&2; exit 1; }
done
for tool in Xvfb dbus-run-session python3; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done
# Every start on the same bare Xvfb, without a window manager.
((on_display)) || exec python3 "$top/tests/virtual_display.py" --screen 1280x800x24 \
    -- bash "$0" --on-display "$build" "$rounds"
display=$DISPLAY

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One start: appends "ms-to-first-frame cpu-ms peak-KiB" to the sample file.
start_once() {
    local program=$1 samples=$2 home runtime
    home=$(mktemp -d "$work/home.XXXXXX")
    runtime=$(mktemp -d "$work/runtime.XXXXXX")
    chmod 700 "$runtime"
    env -i PATH="$PATH" LANG="${LANG:-C.UTF-8}" DISPLAY="$display" QT_QPA_PLATFORM=xcb \
        HOME="$home" XDG_RUNTIME_DIR="$runtime" \
        dbus-run-session -- python3 "$top/benchmarks/launch.py" "$build/$program" \
        >>"$samples" 2>"$work/err" || { cat "$work/err" >&2; exit 1; }
    rm -rf "$home" "$runtime"
}

round() { # round number, sample folder
    local i n=${#programs[@]}
    for ((i = 0; i < n; i++)); do
        local program=${programs[(($1 + i) % n)]}
        start_once "$program" "$2/$program"
    done
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
mkdir "$work/warm" "$work/samples"
round 0 "$work/warm"
for ((r = 1; r <= rounds; r++)); do
    round "$r" "$work/samples"
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

python3 "$top/benchmarks/startup_table.py" "$work/samples" startup_probe fair_floor empty_window
echo
echo "$rounds rounds after one warm-up round, Xvfb ($display, no window manager)." \
     "Load average (1, 5, 15 min): $load_before before, $load_after after."
