# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (GCC, posix
# threads, so std::thread and std::mutex work). Used to build Qt itself; the
# program is configured through that Qt's qt-cmake, which loads this file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KIDSUM_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KIDSUM_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KIDSUM_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KIDSUM_MINGW_TRIPLE}-windres)

list(APPEND CMAKE_FIND_ROOT_PATH /usr/${KIDSUM_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
