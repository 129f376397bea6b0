#!/usr/bin/env bash
# Runs the README's two commands as a newcomer would on a new machine: each in
# its own fresh minimal root of the given Debian release, on a clone of the
# current commit, with its time and result. The base root is made once with
# debootstrap and kept in the cache folder; each command gets a copy of it.
#
#   bash scripts/fresh-debian.sh 12|13 [run] [test]    (as root; both when neither is named)
#
# Exits non-zero when a command failed. Keeps each root's log in
# build/fresh-debian/ and removes the root itself.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$top/scripts/debian-root.sh"

release=${1:-}
debian_suite "$release" >/dev/null || { echo "usage: bash scripts/fresh-debian.sh 12|13 [run] [test]" >&2; exit 2; }
shift
commands=("$@")
[[ ${#commands[@]} -eq 0 ]] && commands=(run test)
[[ $(id -u) -eq 0 ]] || { echo "fresh-debian.sh needs root (debootstrap, mount, chroot)" >&2; exit 2; }

base=$(debian_base_root "$release")
commit=$(git -C "$top" rev-parse HEAD)
logs=$top/build/fresh-debian
mkdir -p "$logs"
failed=0
summary=()
# A root left by an interrupted run would stay in the cache.
root=
trap '[[ -z $root ]] || remove_root "$root"' EXIT
for command in "${commands[@]}"; do
    [[ $command == run || $command == test ]] || { echo "no such command: $command" >&2; exit 2; }
    root=$(mktemp -d "$kidsum_cache/fresh-$release-$command.XXXXXX")
    cp -a "$base/." "$root/"
    git clone -q "$top" "$root/root/kidsum"
    git -C "$root/root/kidsum" checkout -q "$commit"
    log=$logs/debian-$release-$command.log
    echo "== Debian $release: bash scripts/$command.sh at ${commit:0:7} (log: $log)"
    start=$SECONDS
    status=0
    in_root "$root" -- bash -c 'cd /root/kidsum && bash scripts/"$1".sh' fresh "$command" >"$log" 2>&1 || status=$?
    took=$(( SECONDS - start ))
    result="rc $status"
    if [[ $command == test ]]; then
        result+=", $(grep -E 'tests passed' "$log" | tail -n 1 || true)"
    else
        shot=$(sed -n 's/^Screenshot: //p' "$log")
        [[ -n $shot && -f $root$shot ]] && cp "$root$shot" "$logs/debian-$release-run.png" &&
            result+=", screenshot build/fresh-debian/debian-$release-run.png"
    fi
    [[ $status -eq 0 ]] || failed=1
    summary+=("Debian $release, bash scripts/$command.sh: $(( took / 60 )) min $(( took % 60 )) s, $result")
    echo "${summary[-1]}"
    remove_root "$root" || failed=1
    root=
done
printf '%s\n' "== summary" "${summary[@]}"
exit $failed
