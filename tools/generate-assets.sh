#!/usr/bin/env bash
# Rebuilds tools/asset_generator and redraws everything under assets/.
# Needs Qt 6 development files and the fonts-noto-color-emoji package; the
# program itself only ships the resulting pictures.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ASSET_BUILD_DIR:-$root/build-assets}"
out="${1:-$root/assets}"

cmake -S "$root/tools/asset_generator" -B "$build" -G Ninja >/dev/null
cmake --build "$build"

runtime="$(mktemp -d)"
trap 'rm -rf "$runtime"' EXIT
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$runtime" "$build/asset_generator" "$out"
echo "pictures written to $out"
