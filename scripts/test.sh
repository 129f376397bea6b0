#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
source scripts/deps.sh
ensure_packages "${build_packages[@]}" "${run_packages[@]}" "${headless_packages[@]}" \
    "${test_packages[@]}"

cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci
