# Toolchain of the `windows` preset: the program for 64-bit Windows, built
# with MinGW-w64 against the Qt that scripts/windows/build-qt.sh keeps in
# its cache folder, with the host's Qt tools (moc, rcc, uic). Tests run
# through Wine (scripts/windows/wine-run.sh).
include("${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake")

# Read on every pass (CMake re-reads a toolchain file in each try_compile).
if(DEFINED ENV{KIDSUM_QT_WINDOWS})
    set(KIDSUM_QT_WINDOWS "$ENV{KIDSUM_QT_WINDOWS}")
elseif(DEFINED ENV{XDG_CACHE_HOME})
    set(KIDSUM_QT_WINDOWS "$ENV{XDG_CACHE_HOME}/kidsum/qt-6.4.2-mingw64")
else()
    set(KIDSUM_QT_WINDOWS "$ENV{HOME}/.cache/kidsum/qt-6.4.2-mingw64")
endif()
if(NOT EXISTS "${KIDSUM_QT_WINDOWS}/lib/cmake/Qt6/Qt6Config.cmake")
    message(FATAL_ERROR "No Qt for Windows in ${KIDSUM_QT_WINDOWS}: run scripts/windows.sh, "
        "which builds it, or point KIDSUM_QT_WINDOWS at one")
endif()

list(PREPEND CMAKE_PREFIX_PATH "${KIDSUM_QT_WINDOWS}")
list(PREPEND CMAKE_FIND_ROOT_PATH "${KIDSUM_QT_WINDOWS}")
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/windows/wine-run.sh")
