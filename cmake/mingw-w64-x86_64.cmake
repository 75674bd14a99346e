# Cross-build for 64-bit Windows with Debian's MinGW-w64
# (package g++-mingw-w64-x86-64-posix), used for Qt itself and for the desktop
# program linked against it (see packaging/windows/).
#
# Unlike the 32-bit command line build, the runtime (libstdc++, libgcc,
# winpthreads) stays a DLL: the Qt DLLs use it, and program and Qt must share
# one C++ runtime. The DLLs are copied beside the programs.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DAVO_MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${DAVO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DAVO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${DAVO_MINGW_TRIPLET}-windres)

# Libraries, headers and CMake packages come only from the MinGW tree (and
# from whatever the caller appends, such as the cross-built Qt); programs
# (code generators and the like) are taken from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${DAVO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
