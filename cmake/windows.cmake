# Toolchain of the `windows` preset: the program for 64-bit Windows, built
# with MinGW-w64 against the Qt that scripts/windows/build-qt.sh keeps in
# its cache folder, with the host's Qt tools (moc, rcc, uic). Tests run
# through Wine (scripts/windows/wine-run.sh).
include("${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake")

# Read on every pass (CMake re-reads a toolchain file in each try_compile).
# The cache folder's version and stamp are named by the script that builds it.
file(STRINGS "${CMAKE_CURRENT_LIST_DIR}/../scripts/windows/qt-cache.sh" kidsum_qt_cache
    REGEX "^qt_(version|stamp_name)=")
string(REGEX REPLACE "qt_version=([^;]*).*" "\\1" kidsum_qt_version "${kidsum_qt_cache}")
string(REGEX REPLACE ".*qt_stamp_name=([^;]*).*" "\\1" kidsum_qt_stamp_name "${kidsum_qt_cache}")
if(DEFINED ENV{KIDSUM_QT_WINDOWS})
    set(KIDSUM_QT_WINDOWS "$ENV{KIDSUM_QT_WINDOWS}")
elseif(DEFINED ENV{XDG_CACHE_HOME})
    set(KIDSUM_QT_WINDOWS "$ENV{XDG_CACHE_HOME}/kidsum/qt-${kidsum_qt_version}-mingw64")
else()
    set(KIDSUM_QT_WINDOWS "$ENV{HOME}/.cache/kidsum/qt-${kidsum_qt_version}-mingw64")
endif()
# What the Qt was built from, for the notices shipped with the program.
set(KIDSUM_QT_STAMP "${KIDSUM_QT_WINDOWS}/${kidsum_qt_stamp_name}")
if(NOT EXISTS "${KIDSUM_QT_WINDOWS}/lib/cmake/Qt6/Qt6Config.cmake")
    message(FATAL_ERROR "No Qt for Windows in ${KIDSUM_QT_WINDOWS}: run scripts/windows.sh, "
        "which builds it, or point KIDSUM_QT_WINDOWS at one")
endif()

list(PREPEND CMAKE_PREFIX_PATH "${KIDSUM_QT_WINDOWS}")
list(PREPEND CMAKE_FIND_ROOT_PATH "${KIDSUM_QT_WINDOWS}")
# Debian's Qt 6.8 source leaves the plug-ins' targets out of find_package by
# default; the Windows folder installs the plug-ins from them.
set(QT_SKIP_AUTO_PLUGIN_INCLUSION OFF)
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/windows/wine-run.sh")
