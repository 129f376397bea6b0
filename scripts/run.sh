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
cmake --build --preset dev
program="$top/build/dev/kidsum"

if [[ $headless -eq 0 ]]; then
    exec "$program"
fi

display=":$(free_display)"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
pids=("$xvfb")
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT
export DISPLAY="$display"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
jwm >/dev/null 2>&1 &
pids+=("$!")
"$program" &
app=$!
pids+=("$app")
window=$(timeout 20 xdotool search --sync --onlyvisible --name '乐乐儿童加减法' | head -n 1)
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool windowfocus --sync "$window"
sleep 0.5
xdotool key alt+c # 出题测试: one question
sleep 0.7
shot="$top/build/dev/kidsum-screenshot.png"
import -window root "$shot"
xdotool key alt+t # 退出软件
wait "$app" || true
echo "Screenshot: $shot"
