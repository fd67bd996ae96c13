// Death tests start a fresh process, so that the child has a window thread of its own.
#include <gtest/gtest.h>

namespace {

// The flag is set once the test program runs: at static start-up it may not exist yet.
class ThreadsafeDeathTests : public ::testing::Environment {
public:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

[[maybe_unused]] ::testing::Environment* const threadsafeDeathTests =
    ::testing::AddGlobalTestEnvironment(new ThreadsafeDeathTests);

}  // namespace
