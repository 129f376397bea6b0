#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time, seeded
# from the committed corpus. Fails on any crash or broken rule; the input that
# did it is kept in the artifacts folder and printed, to be added to
# fuzz/corpus/<target>/ as a regression case (the normal tests replay it).
#
#   fuzz/run.sh [seconds per target, default 25]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
top=$(cd "$here/.." && pwd)
seconds=${1:-25}
build="$top/build/fuzz"
artifacts="$build/artifacts"

cd "$top"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

mkdir -p "$artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
for target in numeric_text answer_box; do
    mkdir -p "$work/$target"
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096
             -artifact_prefix="$artifacts/$target-" -print_final_stats=1)
    leaks=1
    if [[ $target == answer_box ]]; then
        # Long pastes; and Qt and fontconfig keep caches for the life of the
        # process, which a leak check would report.
        options+=(-max_len=12000 -detect_leaks=0)
        leaks=0
    fi
    echo "== fuzz_$target for ${seconds}s"
    if ! ASAN_OPTIONS=detect_leaks=$leaks:halt_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        QT_QPA_PLATFORM=offscreen "$build/fuzz/fuzz_$target" "${options[@]}" \
        "$work/$target" "$here/corpus/$target" > "$work/$target.log" 2>&1; then
        status=1
        tail -n 40 "$work/$target.log"
        echo "FAIL: fuzz_$target found an input that breaks a rule:"
        ls -1 "$artifacts/$target-"* 2>/dev/null || true
    else
        grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done)' "$work/$target.log" || true
    fi
done
exit $status
