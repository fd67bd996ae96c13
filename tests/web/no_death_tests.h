// Included before every test of the browser build. A WebAssembly program cannot start a process,
// so a death test cannot run there: it skips the rest of its test, and the native builds run it.
#pragma once

#include <gtest/gtest.h>

#ifndef EXPECT_EXIT
#define EXPECT_EXIT(statement, predicate, regex)                      \
    if (static_cast<void>(predicate), static_cast<void>(regex), true) \
    GTEST_SKIP() << "a process cannot be started from WebAssembly"

namespace testing {
// What a death test's exit code is checked with, so that tests naming it still compile.
struct ExitedWithCode {
    explicit ExitedWithCode(int) {}
};
}  // namespace testing
#endif
