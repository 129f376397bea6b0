# Where the cached Qt for Windows lives and how to tell it is complete.
# Sourced by the Windows scripts and by .ci/run; cmake/windows.cmake reads
# qt_version and qt_stamp_name from here.
source "$(dirname "${BASH_SOURCE[0]}")/../debian-root.sh"
# Debian 13's Qt: the Windows build runs in a minimal Debian 13 root, whose
# packages give the cross-compiler and Qt's tools of this version.
qt_version=6.8.2
qt_prefix=$kidsum_cache/qt-$qt_version-mingw64
qt_work=$kidsum_cache/qt-$qt_version-mingw64-work
qt_stamp_name=.kidsum-complete
windows_root=$kidsum_cache/debian-13-windows

qt_cache_complete() {
    [[ -f $qt_prefix/$qt_stamp_name && -x $qt_prefix/bin/qt-cmake \
       && -f $qt_prefix/bin/Qt6Widgets.dll && -f $qt_prefix/bin/Qt6Test.dll \
       && -f $qt_prefix/plugins/platforms/qwindows.dll ]]
}
