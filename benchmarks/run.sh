#!/usr/bin/env bash
# Builds and runs every benchmark: the handlers' latency on a real offscreen
# window, resident memory over 10,000 questions, and start-up to the first
# frame against a fair floor and an empty Qt window. Prints one Markdown
# report and keeps it in build/bench/benchmarks.md.
#
#   bash benchmarks/run.sh [calls per handler case] [start-up rounds]
#                                                   (defaults: 1000 and 21)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
source scripts/deps.sh
ensure_packages "${build_packages[@]}" libbenchmark-dev xvfb dbus python3 fonts-noto-cjk

calls=${1:-1000}
runs=${2:-21}
build="$top/build/bench"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKIDSUM_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build" --target kidsum kidsum_beside_files handler_latency startup_probe fair_floor empty_window test_memory

report="$build/benchmarks.md"
{
    echo "Machine: $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p'), load average $(cut -d' ' -f1-3 /proc/loadavg) at the start"
    echo "Qt $(qtpaths6 --qt-version 2>/dev/null || echo '?'), build type RelWithDebInfo (-O2 -g)"
    echo "Command: bash benchmarks/run.sh $calls $runs"
    echo
    echo "Handler latency, offscreen, each call timed on its own:"
    echo
    QT_QPA_PLATFORM=offscreen QT_ACCESSIBILITY=0 "$build/handler_latency" --calls="$calls" \
        --benchmark_out="$build/handler_latency.json" --benchmark_out_format=json \
        >/dev/null 2>"$build/handler_latency.log" || { cat "$build/handler_latency.log" >&2; exit 1; }
    python3 benchmarks/latency_table.py "$build/handler_latency.json"
    echo
    echo "Memory over a long session (the test test_memory):"
    echo
    QT_QPA_PLATFORM=offscreen QT_ACCESSIBILITY=0 "$build/tests/test_memory" 2>&1 |
        sed -n 's/^.*resident after/- resident after/p; s/^FAIL!.*/- FAILED: &/p' || true
    echo
    echo "Start-up to the first frame, on Xvfb, $runs rounds:"
    echo
    bash benchmarks/run_startup.sh "$build" "$runs"
} | tee "$report"
echo
echo "Report kept in $report"
