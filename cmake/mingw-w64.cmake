# Cross-building for 64-bit Windows on Debian with mingw-w64 (package g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The -posix compilers are the ones whose std::thread works. Every program is linked statically,
# so that it runs on a stock Windows with nothing beside it but the system's own DLLs; the test
# programs run under Wine through CMAKE_CROSSCOMPILING_EMULATOR.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TRIVANTA_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TRIVANTA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TRIVANTA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TRIVANTA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TRIVANTA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libstdc++, libgcc and winpthreads go into each program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(TRIVANTA_WINE NAMES wine wine64)
if(TRIVANTA_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TRIVANTA_WINE})
endif()
