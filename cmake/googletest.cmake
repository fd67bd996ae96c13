# GoogleTest for the Windows and browser builds, compiled from the sources Debian's libgtest-dev
# ships: Debian has no Windows or WebAssembly build of it. Its own CMake names the targets
# GTest::gtest and GTest::gtest_main.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Its code is not ours to hold to our warnings.
target_compile_options(gtest PRIVATE -w)
target_compile_options(gtest_main PRIVATE -w)
