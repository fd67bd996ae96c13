# GoogleTest for the browser build, built from the sources Debian's libgtest-dev ships (its
# libraries are for the build machine); it names its targets GTest::gtest and GTest::gtest_main.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_CURRENT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Its code is not ours to keep free of warnings.
target_compile_options(gtest PRIVATE -Wno-error)
target_compile_options(gtest_main PRIVATE -Wno-error)
