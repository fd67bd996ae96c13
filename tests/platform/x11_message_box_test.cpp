// The modal error box under a private X server: it shows its text and closes each way a user
// would close it.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <future>
#include <string>
#include <thread>

#include "platform/x11/backend.h"
#include "tests/support/x11_window.h"
#include "tests/support/xvfb.h"

namespace {

constexpr const char* kTitle = "TARVEL ERROR message";

bool viewable(Display* display, ::Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

// The shown top-level window with the title, or 0.
::Window findShown(Display* display, const char* title) {
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    ::Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        if (textProperty(display, children[i], "WM_NAME") == title &&
            viewable(display, children[i])) {
            found = children[i];
        }
    }
    if (children != nullptr)
        XFree(children);
    return found;
}

int blackPixels(Display* display, ::Window window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    XImage* image =
        XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (image == nullptr)
        return 0;
    int count = 0;
    for (int y = 0; y < attributes.height; ++y) {
        for (int x = 0; x < attributes.width; ++x)
            count += XGetPixel(image, x, y) == 0 ? 1 : 0;
    }
    XDestroyImage(image);
    return count;
}

class X11MessageBox : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server_.running()) << server_.error(); }

    // Opens the box, checks that it shows its text, closes it with `close` and checks that
    // showErrorBox returned.
    void openAndClose(const std::function<void(::Window box)>& close) {
        std::promise<void> returned;
        std::thread shower([&returned] {
            platform::x11::backend().showErrorBox(kTitle, "IMAGE::getimage\nnot an image");
            returned.set_value();
        });
        Display* display = server_.connection();
        ::Window box = 0;
        if (eventually([&] { return (box = findShown(display, kTitle)) != 0; })) {
            EXPECT_TRUE(eventually([&] { return blackPixels(display, box) > 20; }));
            close(box);
        }
        const auto closed = returned.get_future().wait_for(std::chrono::seconds(10));
        EXPECT_NE(box, 0u) << "the box did not show";
        EXPECT_EQ(closed, std::future_status::ready) << "the box did not close";
        // A box that never closes must not hold up the test for ever.
        if (closed == std::future_status::ready) {
            shower.join();
        } else {
            shower.detach();
        }
    }

    Xvfb server_;
};

TEST_F(X11MessageBox, ClosesByKeyClickOrCloseRequest) {
    openAndClose([](::Window) { ASSERT_EQ(std::system("xdotool key Escape"), 0); });
    openAndClose([](::Window) { ASSERT_EQ(std::system("xdotool key Return"), 0); });
    openAndClose([](::Window box) {
        const std::string click =
            "xdotool mousemove --window " + std::to_string(box) + " 5 5 click 1";
        ASSERT_EQ(std::system(click.c_str()), 0);
    });
    openAndClose([this](::Window box) { sendCloseRequest(server_.connection(), box); });
}

}  // namespace
