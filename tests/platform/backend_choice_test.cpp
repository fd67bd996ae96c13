// The choice of the backend a program starts on, over a list of stand-in backends whose
// availability each case sets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/backend_list.h"
#include "platform/headless/backend.h"

namespace {

using platform::BackendEntry;

bool waylandAnswers = false;
bool xAnswers = false;

bool waylandAvailable(std::string& whyNot) {
    whyNot = "no Wayland compositor (WAYLAND_DISPLAY)";
    return waylandAnswers;
}

bool xAvailable(std::string& whyNot) {
    whyNot = "no X display (DISPLAY)";
    return xAnswers;
}

const BackendEntry kLinux[] = {
    {"wayland", waylandAvailable, platform::headless::backend},
    {"x11", xAvailable, platform::headless::backend},
    {"headless", platform::headless::available, platform::headless::backend},
};
const BackendEntry kNoWindowSystem[] = {
    {"headless", platform::headless::available, platform::headless::backend},
};

std::string chosen(std::span<const BackendEntry> list, const char* forced) {
    std::string error;
    const BackendEntry* entry = platform::chooseBackend(list, forced, error);
    return entry != nullptr ? entry->name : error;
}

TEST(BackendChoice, FirstWindowSystemThatAnswersElseOneMessageNamingEach) {
    waylandAnswers = true;
    xAnswers = true;
    EXPECT_EQ(chosen(kLinux, nullptr), "wayland");
    EXPECT_EQ(chosen(kLinux, ""), "wayland");
    waylandAnswers = false;
    EXPECT_EQ(chosen(kLinux, nullptr), "x11");
    // The headless backend is never a window system's stand-in unless the build has none.
    xAnswers = false;
    EXPECT_EQ(chosen(kLinux, nullptr),
              "cannot open a window: no Wayland compositor (WAYLAND_DISPLAY), "
              "no X display (DISPLAY)");
    EXPECT_EQ(chosen(kNoWindowSystem, nullptr), "headless");
}

TEST(BackendChoice, TheVariableForcesOneWithoutAskingItAndAnUnknownNameIsRefused) {
    waylandAnswers = false;
    xAnswers = true;
    // A forced backend that cannot start says why when it makes its window.
    EXPECT_EQ(chosen(kLinux, "wayland"), "wayland");
    EXPECT_EQ(chosen(kLinux, "headless"), "headless");
    EXPECT_EQ(chosen(kLinux, "X11"),
              "TRIVANTA_BACKEND=X11 names no backend of this build, which has: wayland, x11, "
              "headless");
}

}  // namespace
