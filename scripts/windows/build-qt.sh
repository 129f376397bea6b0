#!/usr/bin/env bash
# Builds Qt Base for 64-bit Windows (MinGW-w64) from Debian's own source of
# the Qt this Debian 13 root has, with its tools (moc, rcc, uic) from that Qt,
# into a versioned cache folder outside the tree. Run inside the root by
# scripts/windows.sh.
# Reused when complete; rebuilt when missing or incomplete. How long it takes
# is in docs/install.md.
#
# Usage: build-qt.sh            prints the Qt prefix on its last line
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$top/scripts/windows/qt-cache.sh"

if qt_cache_complete; then
    echo "Qt for Windows: using $qt_prefix"
    echo "$qt_prefix"
    exit 0
fi

# Debian's source of the Qt whose tools the build uses, which must be the
# version the cache folder is named after.
qt_debian_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
[[ $qt_debian_version == "$qt_version+"* ]] || {
    echo "Qt's tools here are $qt_debian_version, not Qt $qt_version" >&2
    exit 1
}

start=$(date +%s)
echo "Qt for Windows: building $qt_version into $qt_prefix (once; it takes a while)"
rm -rf "$qt_prefix" "$qt_work/build"
mkdir -p "$qt_work"

# Debian's source package, fetched through a private apt configuration so
# the system's apt sources stay as they are.
src_dir=$qt_work/source
if [[ ! -f $src_dir/.kidsum-unpacked ]]; then
    rm -rf "$qt_work"/apt "$qt_work"/qt6-base[-_]* "$src_dir"
    mkdir -p "$qt_work/apt/lists/partial" "$qt_work/apt/archives/partial"
    suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
    printf 'deb-src %s %s main\n' "$debian_mirror" "$suite" "$debian_mirror" "$suite-updates" \
        "$debian_security_mirror" "$suite-security" >"$qt_work/apt/sources.list"
    apt_private=(-o "Dir::Etc::SourceList=$qt_work/apt/sources.list"
                 -o "Dir::Etc::SourceParts=$qt_work/apt/none"
                 -o "Dir::State::Lists=$qt_work/apt/lists"
                 -o "Dir::Cache::Archives=$qt_work/apt/archives"
                 -o "Debug::NoLocking=1")
    apt-get "${apt_private[@]}" update -q
    (cd "$qt_work" && apt-get "${apt_private[@]}" source -q "qt6-base=$qt_debian_version")
    mv "$qt_work/qt6-base-$qt_version+dfsg" "$src_dir" 2>/dev/null || true
    [[ -d $src_dir ]] || { echo "qt6-base source not unpacked in $qt_work" >&2; exit 1; }
    touch "$src_dir/.kidsum-unpacked"
fi

# Shared libraries; bundled image, font and regex libraries; OpenGL left
# dynamic (the Windows platform plug-in does not build without it); the
# tablet headers are removed from Debian's source.
cmake -G Ninja -S "$src_dir" -B "$qt_work/build" \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$qt_prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_testlib=ON -DFEATURE_widgets=ON -DFEATURE_opengl_dynamic=ON \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_zstd=OFF -DQT_GENERATE_SBOM=OFF
nice -n 10 cmake --build "$qt_work/build" --parallel "$(nproc)"
cmake --install "$qt_work/build"
echo "$qt_version $qt_debian_version" >"$qt_prefix/$qt_stamp_name"
rm -rf "$qt_work/build"

echo "Qt for Windows: built in $(( ($(date +%s) - start) / 60 )) min $(( ($(date +%s) - start) % 60 )) s"
echo "$qt_prefix"
