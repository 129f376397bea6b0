#!/usr/bin/env bash
# test_debian_root.sh WORK_DIR
# The root helpers that scripts/fresh-debian.sh and scripts/windows.sh use:
# a root with a folder still bound into it is never removed (the source tree
# and the cache folder are bound into roots), and is once that is unmounted;
# the releases' names. Needs root and mount; skipped (77) without them.
set -uo pipefail
work=$1
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/debian-root.sh"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[[ $(debian_suite 12) == bookworm ]] || fail "12 is not bookworm"
[[ $(debian_suite 13) == trixie ]] || fail "13 is not trixie"
debian_suite 11 2>/dev/null && fail "11 is taken"

if [[ $(id -u) -ne 0 ]]; then
    echo "SKIP: mounting needs root"
    exit 77
fi
rm -rf "$work"
mkdir -p "$work/kept" "$work/root/bound"
echo precious >"$work/kept/file"
mount --bind "$work/kept" "$work/root/bound" || { echo "SKIP: cannot mount here"; exit 77; }
# Still mounted after the helper's own unmount fails: a second bind on top.
mount --bind "$work/kept" "$work/root/bound"
umount() { [[ $1 == -l ]] && return 1; command umount "$@"; }
remove_root "$work/root" 2>/dev/null && fail "a root with a bound folder was removed"
unset -f umount
[[ $(cat "$work/kept/file" 2>/dev/null) == precious ]] || fail "the bound folder's file is gone"
remove_root "$work/root" || fail "the root was not removed once unmounted"
[[ -e $work/root ]] && fail "the root is still there"
[[ $(cat "$work/kept/file" 2>/dev/null) == precious ]] || fail "the bound folder's file is gone after removal"
rm -rf "$work"
[[ $failures -eq 0 ]] || exit 1
echo "root helpers: a bound folder is never removed with its root"
