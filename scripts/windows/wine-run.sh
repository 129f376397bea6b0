#!/usr/bin/env bash
# Runs a Windows program under Wine with the DLLs it needs on its search
# path: the cached Qt for Windows and the MinGW runtime. CMake's
# cross-compiling emulator of the `windows` preset, so ctest runs the test
# programs through it. Returns the program's exit status.
#
# WINEPREFIX: the caller's (scripts/windows.sh test makes a fresh one per
# run); when unset, build/windows/wine-prefix, made on first use.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# QtTest writes to the debugger's log, not to a pipe, when it finds no
# console; CTest reads the output.
export QT_FORCE_STDERR_LOGGING=1
source "$top/scripts/windows/wine-env.sh"
exec "$kidsum_wine" "$@"
