// The X11 window as the window manager and other clients see it, its message queue, and the
// backend's services, under a private X server.
// Google Test first: Xlib defines macros (None, Bool) that clash with its names.
#include <gtest/gtest.h>

#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "assets/icon.h"
#include "platform/messages.h"
#include "platform/x11/backend.h"
#include "platform/x11/window.h"
#include "tests/support/x11_window.h"
#include "tests/support/xvfb.h"

namespace {

using platform::Message;

// A message of the test's own, told apart by its wparam.
constexpr uint32_t kMarker = 0x8002;

platform::WindowRequest gameWindow() {
    return windowOfSize(480, 640);
}

int mapState(Display* display, ::Window window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    return attributes.map_state;
}

bool windowExists(Display* display, ::Window window) {
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    const bool found = std::find(children, children + count, window) != children + count;
    if (children != nullptr)
        XFree(children);
    return found;
}

class X11Windows : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server_.running()) << server_.error(); }
    Display* display() { return server_.connection(); }

private:
    Xvfb server_;
};

TEST_F(X11Windows, ClientAreaClassCaptionAndFixedSize) {
    PumpedWindow pumped(gameWindow());
    ASSERT_TRUE(pumped.made()) << pumped.error();
    ASSERT_TRUE(pumped.showAndWaitForPaint());
    const ::Window xid = pumped.window().xid();

    XWindowAttributes attributes{};
    XGetWindowAttributes(display(), xid, &attributes);
    EXPECT_EQ(attributes.width, 480);
    EXPECT_EQ(attributes.height, 640);
    EXPECT_EQ(attributes.map_state, IsViewable);
    EXPECT_EQ(pumped.window().clientSize().width, 480);
    EXPECT_EQ(pumped.window().clientSize().height, 640);
    EXPECT_TRUE(pumped.window().visible());

    XClassHint classHint{};
    ASSERT_NE(XGetClassHint(display(), xid, &classHint), 0);
    EXPECT_STREQ(classHint.res_name, "Tarvel");
    EXPECT_STREQ(classHint.res_class, "Tarvel");
    XFree(classHint.res_name);
    XFree(classHint.res_class);

    XSizeHints hints{};
    long supplied = 0;
    ASSERT_NE(XGetWMNormalHints(display(), xid, &hints, &supplied), 0);
    EXPECT_EQ(hints.flags & (PMinSize | PMaxSize), PMinSize | PMaxSize);
    EXPECT_EQ(hints.min_width, 480);
    EXPECT_EQ(hints.max_width, 480);
    EXPECT_EQ(hints.min_height, 640);
    EXPECT_EQ(hints.max_height, 640);

    EXPECT_EQ(textProperty(display(), xid, "WM_NAME"), "TARVEL13.03 VC6x86");
    EXPECT_EQ(textProperty(display(), xid, "_NET_WM_NAME"), "TARVEL13.03 VC6x86");
}

TEST_F(X11Windows, GbkCaptionReadsBackAsUtf8) {
    PumpedWindow pumped(gameWindow());
    ASSERT_TRUE(pumped.made()) << pumped.error();
    pumped.window().setCaption("\xB6\xED\xC2\xDE\xCB\xB9 Trivanta");
    const ::Window xid = pumped.window().xid();
    const std::string expected = "\xE4\xBF\x84\xE7\xBD\x97\xE6\x96\xAF Trivanta";  // 俄罗斯
    EXPECT_TRUE(
        eventually([&] { return textProperty(display(), xid, "_NET_WM_NAME") == expected; }));
    EXPECT_EQ(textProperty(display(), xid, "WM_NAME"), expected);
}

TEST_F(X11Windows, ShowAndHideMapAndUnmap) {
    PumpedWindow pumped(gameWindow());
    ASSERT_TRUE(pumped.made()) << pumped.error();
    EXPECT_FALSE(pumped.window().visible());
    ASSERT_TRUE(pumped.showAndWaitForPaint());
    const ::Window xid = pumped.window().xid();

    pumped.window().show(false);
    EXPECT_FALSE(pumped.window().visible());
    EXPECT_TRUE(eventually([&] { return mapState(display(), xid) == IsUnmapped; }));
    pumped.window().show(true);
    EXPECT_TRUE(pumped.window().visible());
    EXPECT_TRUE(eventually([&] { return mapState(display(), xid) == IsViewable; }));
}

TEST_F(X11Windows, BorderlessAndTopmostTellTheWindowManager) {
    platform::WindowRequest wanted = gameWindow();
    wanted.borderless = true;
    wanted.topmost = true;
    PumpedWindow pumped(wanted);
    ASSERT_TRUE(pumped.made()) << pumped.error();
    const ::Window xid = pumped.window().xid();

    const std::vector<long> motif = longsProperty(display(), xid, "_MOTIF_WM_HINTS");
    ASSERT_EQ(motif.size(), 5u);
    EXPECT_EQ(motif[0] & 2, 2);  // decorations given
    EXPECT_EQ(motif[2], 0);      // and none
    const std::vector<long> state = longsProperty(display(), xid, "_NET_WM_STATE");
    const long above = static_cast<long>(XInternAtom(display(), "_NET_WM_STATE_ABOVE", False));
    EXPECT_NE(std::find(state.begin(), state.end(), above), state.end());
}

TEST_F(X11Windows, IconProcessAndMachineTellTheWindowManager) {
    platform::WindowRequest wanted = gameWindow();
    wanted.icon = {assets::kIconPictures, assets::kIconPicturesSize};
    PumpedWindow pumped(wanted);
    ASSERT_TRUE(pumped.made()) << pumped.error();
    const ::Window xid = pumped.window().xid();

    // The pictures, smallest first, each its width, its height and its pixels 0xAARRGGBB.
    const std::vector<long> icon = longsProperty(display(), xid, "_NET_WM_ICON");
    ASSERT_EQ(icon.size(), assets::kIconPicturesSize);
    std::vector<long> sizes;
    size_t largest = 0;
    for (size_t at = 0; at + 1 < icon.size(); at += 2 + icon[at] * icon[at + 1]) {
        EXPECT_EQ(icon[at], icon[at + 1]);
        sizes.push_back(icon[at]);
        largest = at + 2;
    }
    EXPECT_EQ(sizes, (std::vector<long>{16, 32, 48, 64, 128, 256}));
    // The largest picture's corner lies outside the rounded tile; the tile's top row has a red
    // block in its middle, its middle row starts with yellow and has green in the centre.
    const auto pixel = [&](int x, int y) { return icon[largest + y * 256 + x] & 0xFFFFFFFF; };
    EXPECT_EQ(pixel(0, 0) >> 24, 0);
    EXPECT_EQ(pixel(128, 58), 0xFFFE0000);
    EXPECT_EQ(pixel(58, 128), 0xFFFDFE00);
    EXPECT_EQ(pixel(128, 128), 0xFF00FE02);

    EXPECT_EQ(longsProperty(display(), xid, "_NET_WM_PID"), std::vector<long>{getpid()});
    char host[256] = {};
    ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
    EXPECT_EQ(textProperty(display(), xid, "WM_CLIENT_MACHINE"), host);
}

TEST_F(X11Windows, CloseRequestGivesCloseThenDestroyRemovesTheWindow) {
    PumpedWindow pumped(gameWindow());
    ASSERT_TRUE(pumped.made()) << pumped.error();
    ASSERT_TRUE(pumped.showAndWaitForPaint());
    const ::Window xid = pumped.window().xid();

    // What a window manager sends when the user clicks the close button.
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = xid;
    request.xclient.message_type = XInternAtom(display(), "WM_PROTOCOLS", False);
    request.xclient.format = 32;
    request.xclient.data.l[0] =
        static_cast<long>(XInternAtom(display(), "WM_DELETE_WINDOW", False));
    request.xclient.data.l[1] = CurrentTime;
    XSendEvent(display(), xid, False, NoEventMask, &request);
    XFlush(display());
    EXPECT_EQ(pumped.messagesUntil(isMessage(msg::kClose)).back().message, msg::kClose);
    EXPECT_TRUE(windowExists(display(), xid));

    pumped.destroy();
    EXPECT_EQ(pumped.messagesUntil(isMessage(msg::kDestroy)).back().message, msg::kDestroy);
    EXPECT_TRUE(eventually([&] { return !windowExists(display(), xid); }));
    // Calls after the destruction do nothing, and do not upset the server.
    pumped.window().setCaption("gone");
    pumped.window().show(true);
    EXPECT_FALSE(pumped.window().visible());
}

// On the test thread alone: the queue's order does not depend on another thread's timing.
TEST_F(X11Windows, PostedMessagesComeBeforeTicksAndTicksCoalesce) {
    std::string error;
    const auto window = platform::x11::X11Window::create(gameWindow(), error);
    ASSERT_NE(window, nullptr) << error;
    window->setTimer(7, 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    window->postMessage({kMarker, 1, 0});
    EXPECT_EQ(window->nextMessage().wparam, 1u);
    const Message tick = window->nextMessage();
    EXPECT_EQ(tick.message, msg::kTimer);
    EXPECT_EQ(tick.wparam, 7u);

    // The ten ticks that fell due gave one message; a killed timer gives none.
    window->killTimer(7);
    window->postMessage({kMarker, 2, 0});
    EXPECT_EQ(window->nextMessage().wparam, 2u);
    window->postMessage({kMarker, 3, 0});
    EXPECT_EQ(window->nextMessage().wparam, 3u);

    // Zero means the shortest interval, not never.
    window->setTimer(8, 0);
    EXPECT_EQ(window->nextMessage().wparam, 8u);
}

TEST_F(X11Windows, BackendServices) {
    platform::Backend& backend = platform::x11::backend();
    EXPECT_EQ(backend.desktopSize().width, 1024);
    EXPECT_EQ(backend.desktopSize().height, 768);
    EXPECT_EQ(backend.counterFrequency(), 1'000'000'000);

    const int64_t before = backend.counter();
    backend.sleepMs(0);
    backend.sleepMs(-3);
    backend.sleepMs(15);
    const int64_t slept = backend.counter() - before;
    EXPECT_GE(slept, 15'000'000);  // never early
    EXPECT_NEAR(static_cast<double>(backend.tickCount()),
                static_cast<double>(backend.counter() / 1'000'000 % (int64_t{1} << 32)), 1.0);
}

::testing::AssertionResult hasSize(Display* display, ::Window window, int width, int height) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    XSizeHints hints{};
    long supplied = 0;
    XGetWMNormalHints(display, window, &hints, &supplied);
    if (attributes.width == width && attributes.height == height && hints.min_width == width &&
        hints.max_width == width && hints.min_height == height && hints.max_height == height) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "the window is " << attributes.width << " x " << attributes.height
           << ", held between " << hints.min_width << " x " << hints.min_height << " and "
           << hints.max_width << " x " << hints.max_height;
}

// Three times the game's window is higher than the screen; twice fits.
TEST(X11ScaledWindow, ForcedScaleFallsBackToTheLargestThatFits) {
    Xvfb server({.width = 1500, .height = 1400});
    ASSERT_TRUE(server.running()) << server.error();
    // The server puts the environment back as it ends.
    setenv("TRIVANTA_SCALE", "3", 1);
    PumpedWindow pumped(gameWindow());
    ASSERT_TRUE(pumped.made()) << pumped.error();
    ASSERT_TRUE(pumped.showAndWaitForPaint());
    const ::Window xid = pumped.window().xid();
    EXPECT_TRUE(hasSize(server.connection(), xid, 960, 1280));
    EXPECT_EQ(pumped.window().clientSize().width, 480);
    EXPECT_EQ(pumped.window().clientSize().height, 640);

    // A smaller window has room for the factor asked for.
    pumped.window().setClientSize({200, 150});
    EXPECT_TRUE(eventually([&] { return hasSize(server.connection(), xid, 600, 450); }));
    EXPECT_EQ(pumped.window().clientSize().width, 200);
    EXPECT_EQ(pumped.window().clientSize().height, 150);
}

TEST(X11WithoutDisplay, CreateWindowFailsWithAMessage) {
    const std::string name = unusedDisplayName();
    const char* previous = std::getenv("DISPLAY");
    const std::string saved = previous != nullptr ? previous : "";
    setenv("DISPLAY", name.c_str(), 1);

    std::string error;
    EXPECT_EQ(platform::x11::backend().createWindow(gameWindow(), error), nullptr);
    EXPECT_EQ(error, "cannot open the X display \"" + name +
                         "\": is DISPLAY set and the X server running?");
    // No box can be shown, and none is waited for.
    platform::x11::backend().showErrorBox("TARVEL ERROR message", "no display");
    EXPECT_EQ(platform::x11::backend().desktopSize().width, 0);

    if (previous != nullptr) {
        setenv("DISPLAY", saved.c_str(), 1);
    } else {
        unsetenv("DISPLAY");
    }
}

}  // namespace
