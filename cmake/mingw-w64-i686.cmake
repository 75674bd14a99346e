# Cross-build for 32-bit Windows with Debian's MinGW-w64 (package g++-mingw-w64-i686).
#
#   cmake -S . -B build-mingw -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake \
#         -DDAVO_GUI=OFF -DDAVO_TESTS=OFF
#
# The posix thread model is used so that std::thread, std::mutex and friends are
# available; the runtime (libgcc, libstdc++, winpthreads) is linked statically, so
# the resulting .exe needs no DLLs besides the ones Windows ships.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(DAVO_MINGW_TRIPLET i686-w64-mingw32)

set(CMAKE_C_COMPILER ${DAVO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DAVO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${DAVO_MINGW_TRIPLET}-windres)

# Libraries, headers and CMake packages come only from the MinGW tree, never from
# the host; programs (code generators and the like) are taken from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${DAVO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
