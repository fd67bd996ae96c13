#include "tests/support/desktop.h"

#include <cstdlib>
#include <stdexcept>

#include "tests/support/sway_desktop.h"
#include "tests/support/weston_desktop.h"
#include "tests/support/x11_desktop.h"

namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

std::string testCompositor() {
    return variable("TRIVANTA_TEST_COMPOSITOR");
}

bool testingXPrograms() {
    return testCompositor().empty() || variable("TRIVANTA_TEST_XWAYLAND") == "1";
}

std::unique_ptr<Desktop> openDesktop(const DesktopOptions& options) {
    const std::string compositor = testCompositor();
    if (compositor.empty())
        return std::make_unique<X11Desktop>(options);
    if (compositor == "sway")
        return std::make_unique<SwayDesktop>(options);
    if (compositor == "weston")
        return std::make_unique<WestonDesktop>(options);
    // The test fails with this message.
    throw std::runtime_error(
        "TRIVANTA_TEST_COMPOSITOR names no compositor the tests know: "
        "sway or weston");
}
