# Minimal Debian roots in the cache folder, and a way to run a command in one.
# Sourced by scripts/fresh-debian.sh and by the Windows build. Needs root
# (debootstrap, mount, chroot).

kidsum_cache=${XDG_CACHE_HOME:-$HOME/.cache}/kidsum
debian_mirror=http://deb.debian.org/debian
debian_security_mirror=http://deb.debian.org/debian-security

# The release's code name: 12 bookworm, 13 trixie.
debian_suite() {
    case $1 in
    12) echo bookworm ;;
    13) echo trixie ;;
    *) echo "unknown Debian release: $1 (12 or 13)" >&2; return 2 ;;
    esac
}

# Prints the folder of a cached minimal root of Debian $1 with the release's
# updates and security sources, made with debootstrap when it is missing.
debian_base_root() {
    local release=$1 suite base
    suite=$(debian_suite "$release") || return
    base=$kidsum_cache/debian-$release-minbase
    if [[ ! -f $base/.kidsum-complete ]]; then
        rm -rf "$base"
        mkdir -p "$kidsum_cache"
        command -v debootstrap >/dev/null || {
            apt-get update -q >&2
            DEBIAN_FRONTEND=noninteractive apt-get install -y -q debootstrap >&2
        }
        echo "Debian $release: debootstrap --variant=minbase $suite into $base" >&2
        debootstrap --variant=minbase "$suite" "$base" "$debian_mirror" >&2
        cat >"$base/etc/apt/sources.list" <<EOF
deb $debian_mirror $suite main
deb $debian_mirror $suite-updates main
deb $debian_security_mirror $suite-security main
EOF
        rm -f "$base"/var/lib/apt/lists/*_Packages "$base"/var/cache/apt/archives/*.deb
        touch "$base/.kidsum-complete"
    fi
    echo "$base"
}

# Runs a command as root in the root folder $1, with /proc, /sys, /dev and the
# host's name service, and each further folder before "--" bound at the same
# path. Unmounts what it mounted when the command ends, also when it is
# interrupted. Returns the command's status.
#   in_root ROOT [DIR ...] -- COMMAND ...
in_root() (
    root=$1
    shift
    mounts=()
    while [[ $1 != -- ]]; do
        mounts+=("$1")
        shift
    done
    shift
    trap 'unmount_root "$root"' EXIT
    trap 'exit 130' INT TERM
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    mkdir -p "$root/proc" "$root/sys" "$root/dev"
    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys"
    mount --rbind /dev "$root/dev"
    for dir in "${mounts[@]}"; do
        mkdir -p "$root$dir"
        mount --bind "$dir" "$root$dir"
    done
    env -i HOME=/root TERM="${TERM:-dumb}" XDG_CACHE_HOME="${kidsum_cache%/kidsum}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        chroot "$root" "$@"
)

# Unmounts whatever is mounted below the root folder $1, deepest first.
unmount_root() {
    local point
    while read -r point; do
        umount -l "$point" 2>/dev/null || true
    done < <(awk -v root="$1/" 'index($2, root) == 1 { print $2 }' /proc/mounts | sort -r)
}

# Removes the root folder $1, unless something is still mounted below it
# (a bound source tree or cache would be removed with it).
remove_root() {
    unmount_root "$1"
    if awk -v root="$1/" 'index($2, root) == 1 { found = 1 } END { exit !found }' /proc/mounts; then
        echo "still mounted below $1; left in place" >&2
        return 1
    fi
    rm -rf --one-file-system "$1"
}
