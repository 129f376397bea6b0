# Debian 12 and 13 packages the project needs (the same names on both), and a
# function that installs the ones that are missing. Sourced by scripts/run.sh,
# scripts/test.sh and .ci/run.

# To build: compiler, CMake, Qt 6 Widgets with its tools, Qt's own texts in
# Chinese, which the build lays beside the program, and fontTools, which cuts
# the program's own faces from fonts-noto-cjk (below).
build_packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev libfontconfig-dev
                qt6-translations-l10n python3-fonttools)
# To run: the Qt runtime comes with the dev packages; Chinese glyphs and the
# desktop's browser opener are not.
run_packages=(fonts-noto-cjk xdg-utils)
# To run without a display: a virtual one, and the tools that drive and shoot it.
headless_packages=(xvfb xauth xdotool imagemagick jwm)
# To test: the above, the help page validator, and what the end-to-end suite
# reads the window through (the accessibility bus).
test_packages=(tidy dbus dbus-x11 at-spi2-core gir1.2-atspi-2.0 python3-gi python3
               desktop-file-utils appstream strace
               dpkg-dev file lintian binutils-mingw-w64-i686
               clang libclang-rt-dev)

# To build the Windows program and test it under Wine, in the Debian 13 root
# that scripts/windows.sh makes: the MinGW-w64 cross-compiler, the source
# package tools (Qt for Windows is built from Debian's own source), Wine, and
# NSIS for the installer.
windows_packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools dpkg-dev xz-utils
                  wine wine64 nsis zip)

ensure_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [[ ${#missing[@]} -eq 0 ]] && return 0
    local sudo=()
    [[ $(id -u) -ne 0 ]] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}
