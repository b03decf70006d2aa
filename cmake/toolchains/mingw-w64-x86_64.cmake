# Windows x86-64 programs built on Debian with MinGW-w64 (the POSIX thread
# model, g++-mingw-w64-x86-64-posix), run by Wine where the build runs them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)

# Libraries and headers come from the MinGW-w64 tree only; programs the build
# runs come from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A player's Windows has no MinGW runtime: the C++ runtime, libgcc and
# winpthread are linked into each program, so that it needs no DLL of ours.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests and other programs the build runs for the target run under Wine.
find_program(LEXODROM_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${LEXODROM_WINE})
