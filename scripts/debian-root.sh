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
# path. Unmounts what it mounted when the command ends.
#   in_root ROOT [DIR ...] -- COMMAND ...
in_root() {
    local root=$1 dir mounts=() status=0
    shift
    while [[ $1 != -- ]]; do
        mounts+=("$1")
        shift
    done
    shift
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    mkdir -p "$root/proc" "$root/sys" "$root/dev"
    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys"
    mount --rbind /dev "$root/dev"
    for dir in "${mounts[@]}"; do
        mkdir -p "$root$dir"
        mount --bind "$dir" "$root$dir"
    done
    env -i HOME=/root TERM="${TERM:-dumb}" PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        chroot "$root" "$@" || status=$?
    for dir in "${mounts[@]}"; do
        umount "$root$dir"
    done
    umount -l "$root/dev" "$root/sys" "$root/proc"
    return $status
}
