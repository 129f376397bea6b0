# Where the cached Qt for Windows lives and how to tell it is complete.
# Sourced by the Windows scripts and by .ci/run.
qt_version=6.4.2
qt_debian_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || echo 6.4.2+dfsg-10)
qt_cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/kidsum
qt_prefix=$qt_cache_root/qt-$qt_version-mingw64
qt_work=$qt_cache_root/qt-$qt_version-mingw64-work
qt_stamp_name=.kidsum-complete

qt_cache_complete() {
    [[ -f $qt_prefix/$qt_stamp_name && -x $qt_prefix/bin/qt-cmake \
       && -f $qt_prefix/bin/Qt6Widgets.dll && -f $qt_prefix/bin/Qt6Test.dll \
       && -f $qt_prefix/plugins/platforms/qwindows.dll ]]
}
