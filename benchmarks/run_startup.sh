#!/usr/bin/env bash
# Start-up to first paint: the program's start-up (startup_probe) against an
# empty Qt main window (empty_window), each run N times, alternating and
# swapping which goes first, offscreen and on a virtual X display. Wall time
# is taken around each run, processor time (user + system) by the shell and
# peak resident memory by /usr/bin/time. Prints a Markdown table of the medians and the
# ratios.
#
#   benchmarks/run_startup.sh [build folder] [N]     (defaults: build/bench, 20)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$top/scripts/deps.sh"
build=$(cd "${1:-$top/build/bench}" && pwd)
runs=${2:-20}
probe="$build/startup_probe"
empty="$build/empty_window"
for program in "$probe" "$empty" /usr/bin/time; do
    [[ -x $program ]] || { echo "missing: $program" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb=
cleanup() {
    [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# One run: appends "wall-ms peak-KiB cpu-ms" to the program's sample file.
# The processor time (user + system, to the millisecond) comes from the
# shell's own timing of the run; the peak from /usr/bin/time.
measure() {
    local program=$1 samples=$2 start end TIMEFORMAT='%3U %3S'
    start=$EPOCHREALTIME
    if ! { time timeout 60 /usr/bin/time -f %M -o "$work/rss" "$program" >/dev/null 2>"$work/err"; } 2>"$work/cpu"; then
        echo "failed: $program" >&2
        cat "$work/err" >&2
        exit 1
    fi
    end=$EPOCHREALTIME
    local us=$((${end/./} - ${start/./}))
    echo "$us $(tail -n 1 "$work/rss") $(tail -n 1 "$work/cpu")" |
        awk '{ printf "%.1f %d %.0f\n", $1 / 1000, $2, ($3 + $4) * 1000 }' >>"$samples"
}

median() { # column of a sample file
    sort -g -k "$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END {
        if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Runs both programs and prints the table row of one display.
compare() {
    local label=$1 i
    rm -f "$work/probe" "$work/empty"
    # Untimed first runs fill the font and disk caches for both.
    measure "$probe" "$work/warm"
    measure "$empty" "$work/warm"
    for ((i = 0; i < runs; i++)); do
        if ((i % 2)); then
            measure "$empty" "$work/empty"
            measure "$probe" "$work/probe"
        else
            measure "$probe" "$work/probe"
            measure "$empty" "$work/empty"
        fi
    done
    local pt et pm em pc ec
    pt=$(median "$work/probe" 1)
    et=$(median "$work/empty" 1)
    pm=$(median "$work/probe" 2)
    em=$(median "$work/empty" 2)
    pc=$(median "$work/probe" 3)
    ec=$(median "$work/empty" 3)
    awk -v l="$label" -v n="$runs" -v pt="$pt" -v et="$et" -v pm="$pm" -v em="$em" \
        -v pc="$pc" -v ec="$ec" 'BEGIN {
        printf "| %s | %d | %.1f | %.1f | %.2f | %.0f | %.0f | %.2f | %.1f | %.1f | %.2f |\n",
            l, n, pt, et, pt / et, pc, ec, (ec > 0 ? pc / ec : 0),
            pm / 1024, em / 1024, pm / em }'
}

echo "| Display | Runs | kidsum wall (ms) | Empty wall (ms) | Wall ratio | kidsum CPU (ms) | Empty CPU (ms) | CPU ratio | kidsum peak RSS (MiB) | Empty peak RSS (MiB) | RSS ratio |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|"

QT_QPA_PLATFORM=offscreen compare "offscreen"

display=$(free_display)
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    [[ -S /tmp/.X11-unix/X$display ]] && break
    sleep 0.05
done
[[ -S /tmp/.X11-unix/X$display ]] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$display" QT_QPA_PLATFORM=xcb compare "Xvfb (xcb)"
