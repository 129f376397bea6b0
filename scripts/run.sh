#!/usr/bin/env bash
# Installs what is missing, builds and runs the program. Without a display it
# runs on a virtual one, makes one question, saves a screenshot, prints its
# path and ends the program.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
source scripts/deps.sh

headless=0
[[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]] && headless=1
if [[ $headless -eq 1 ]]; then
    ensure_packages "${build_packages[@]}" "${run_packages[@]}" "${headless_packages[@]}"
else
    ensure_packages "${build_packages[@]}" "${run_packages[@]}"
fi

cmake --preset dev >/dev/null
# The program and what lies beside it (img/, help.htm, Qt's catalogue and, on
# Linux, the own faces, which kidsum_beside_files depends on); the tests are
# for scripts/test.sh.
cmake --build --preset dev --target kidsum kidsum_beside_files
program="$top/build/dev/kidsum"

if [[ $headless -eq 0 ]]; then
    exec "$program"
fi

# On a virtual display with a window manager: one question, a screenshot, and
# Alt+T ends the program.
shot="$top/build/dev/kidsum-screenshot.png"
python3 tests/virtual_display.py --wm --screen 1280x800x24 -- bash -c '
    set -euo pipefail
    "$1" &
    app=$!
    trap "kill $app 2>/dev/null || true" EXIT
    window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$app" | head -n 1)
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool windowfocus --sync "$window"
    sleep 0.5
    xdotool key alt+c # 出题测试: one question
    sleep 0.7
    import -window root "$2"
    xdotool key alt+t # 退出软件
    wait "$app" || true
' run "$program" "$shot"
echo "Screenshot: $shot"
