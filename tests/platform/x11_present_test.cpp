// Presenting pictures to the X11 window and reading the window back from the server, on
// servers with and without shared memory and with a 16-bit screen, each also on a desktop that
// asks for twice the size.
#include <gtest/gtest.h>

#include <X11/Xutil.h>

#include <bit>
#include <sstream>
#include <thread>
#include <vector>

#include "platform/messages.h"
#include "tests/support/x11_window.h"
#include "tests/support/xvfb.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 150;

// A picture as 0x00RRGGBB words, row by row.
struct Picture {
    int width;
    int height;
    std::vector<uint32_t> pixels;

    uint32_t& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
};

Picture pattern(int width, int height, uint32_t seed) {
    Picture picture{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.at(x, y) =
                ((x * 5 + seed) & 0xFF) << 16 | ((y * 3 + seed) & 0xFF) << 8 | ((x ^ y) & 0xFF);
        }
    }
    return picture;
}

// A colour as a screen whose channels have these masks shows it, widened back to 8 bits.
uint32_t channelAsShown(uint32_t value8, unsigned long mask) {
    const int bits = std::popcount(mask);
    return bits >= 8 ? value8 : value8 >> (8 - bits) << (8 - bits);
}

uint32_t asShown(uint32_t rgb, const XImage& screen) {
    return channelAsShown(rgb >> 16 & 0xFF, screen.red_mask) << 16 |
           channelAsShown(rgb >> 8 & 0xFF, screen.green_mask) << 8 |
           channelAsShown(rgb & 0xFF, screen.blue_mask);
}

uint32_t channelOf(unsigned long pixel, unsigned long mask) {
    const uint32_t value = (pixel & mask) >> std::countr_zero(mask);
    const int bits = std::popcount(mask);
    return bits >= 8 ? value >> (bits - 8) : value << (8 - bits);
}

// Compares the window's top-left corner with the picture, as the screen can show it, each
// pixel a square of scale x scale.
::testing::AssertionResult windowShows(Display* display, ::Window window, const Picture& expected,
                                       int scale) {
    const int width = expected.width * scale;
    const int height = expected.height * scale;
    XImage* image = XGetImage(display, window, 0, 0, width, height, AllPlanes, ZPixmap);
    if (image == nullptr)
        return ::testing::AssertionFailure() << "cannot read the window back";
    std::ostringstream diffs;
    int mismatches = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            const uint32_t actual = channelOf(pixel, image->red_mask) << 16 |
                                    channelOf(pixel, image->green_mask) << 8 |
                                    channelOf(pixel, image->blue_mask);
            const uint32_t want = asShown(
                expected.pixels[static_cast<size_t>(y / scale) * expected.width + x / scale],
                *image);
            if (actual != want && ++mismatches <= 5) {
                diffs << " (" << x << ", " << y << "): 0x" << std::hex << actual << " not 0x"
                      << want << std::dec << ";";
            }
        }
    }
    XDestroyImage(image);
    if (mismatches == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << mismatches << " pixels differ, first:" << diffs.str();
}

struct Server {
    const char* name;
    XvfbOptions options;
    bool sharesMemory;
    int scale = 1;  // what the server's desktop asks for
};

// The same server on a desktop that asks for twice the size.
Server twiceAsDense(Server server, const char* name) {
    server.name = name;
    server.options.resources = "Xft.dpi: 192";
    server.scale = 2;
    return server;
}

const Server kSharedMemory{"SharedMemory", {24, true}, true};
const Server kWithoutSharedMemory{"WithoutSharedMemory", {24, false}, false};
const Server kSixteenBitScreen{"SixteenBitScreen", {16, true}, true};

void PrintTo(const Server& server, std::ostream* out) {
    *out << server.name;
}

class X11Present : public ::testing::TestWithParam<Server> {
protected:
    void SetUp() override {
        ASSERT_TRUE(server_.running()) << server_.error();
        ASSERT_TRUE(pumped_.made()) << pumped_.error();
        ASSERT_TRUE(pumped_.showAndWaitForPaint());
    }

    Display* display() { return server_.connection(); }
    platform::x11::X11Window& window() { return pumped_.window(); }
    ::testing::AssertionResult shows(const Picture& expected) {
        return windowShows(display(), window().xid(), expected, GetParam().scale);
    }
    bool paintRequested() { return pumped_.waitForPaint(); }
    void present(const Picture& picture) {
        window().present(picture.pixels.data(), picture.width, picture.width, picture.height);
    }

private:
    // The server first: the window connects to it.
    Xvfb server_{GetParam().options};
    PumpedWindow pumped_{windowOfSize(kWidth, kHeight)};
};

TEST_P(X11Present, PictureReachesTheWindow) {
    EXPECT_EQ(window().sharesMemory(), GetParam().sharesMemory);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display(), window().xid(), &attributes);
    ASSERT_EQ(attributes.width, kWidth * GetParam().scale);
    ASSERT_EQ(attributes.height, kHeight * GetParam().scale);
    Picture picture = pattern(kWidth, kHeight, 0);
    present(picture);
    EXPECT_TRUE(shows(picture));

    // A change in the middle only.
    for (int y = 40; y < 60; ++y) {
        for (int x = 70; x < 75; ++x)
            picture.at(x, y) = 0xFFFFFF;
    }
    present(picture);
    EXPECT_TRUE(shows(picture));
}

TEST_P(X11Present, LargerPicturesAreClippedAndRowsFollowTheStride) {
    const Picture large = pattern(kWidth + 60, kHeight + 40, 9);
    const int stride = large.width;
    window().present(large.pixels.data(), stride, large.width - 10, large.height);
    Picture visible = pattern(kWidth, kHeight, 0);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
            visible.at(x, y) = large.pixels[y * stride + x];
    }
    EXPECT_TRUE(shows(visible));

    // Nothing at all, or a negative size, changes nothing.
    window().present(large.pixels.data(), stride, 0, 0);
    window().present(large.pixels.data(), stride, -5, -5);
    EXPECT_TRUE(shows(visible));
}

TEST_P(X11Present, UnchangedPicturesAreNotResentUntilTheWindowLosesItsContents) {
    const Picture picture = pattern(kWidth, kHeight, 3);
    present(picture);

    // Another client paints over the window; no expose event tells us.
    GC gc = XCreateGC(display(), window().xid(), 0, nullptr);
    XSetForeground(display(), gc, 0);
    XFillRectangle(display(), window().xid(), gc, 0, 0, kWidth * GetParam().scale,
                   kHeight * GetParam().scale);
    XFreeGC(display(), gc);
    XSync(display(), False);
    present(picture);
    EXPECT_TRUE(shows(Picture{kWidth, kHeight, std::vector<uint32_t>(kWidth * kHeight)}));

    // Once the server says the contents are lost, the whole picture goes again.
    XClearArea(display(), window().xid(), 0, 0, 0, 0, True);
    XFlush(display());
    ASSERT_TRUE(paintRequested());
    present(picture);
    EXPECT_TRUE(shows(picture));
}

// The main thread presents and changes the window while the window thread pumps its events.
TEST_P(X11Present, CallsFromTwoThreadsAtOnce) {
    std::thread mover([this] {
        for (int i = 0; i < 50; ++i)
            window().postMessage({0x8003, static_cast<uintptr_t>(i), 0});
    });
    for (int frame = 0; frame < 30; ++frame) {
        present(pattern(kWidth, kHeight, frame));
        window().setCaption(frame % 2 == 0 ? "even" : "odd");
        EXPECT_FALSE(window().keyHeld(0x41));
        EXPECT_EQ(window().clientSize().width, kWidth);
    }
    mover.join();
    EXPECT_TRUE(shows(pattern(kWidth, kHeight, 29)));
}

INSTANTIATE_TEST_SUITE_P(
    Servers, X11Present,
    ::testing::Values(kSharedMemory, kWithoutSharedMemory, kSixteenBitScreen,
                      twiceAsDense(kSharedMemory, "SharedMemoryTwice"),
                      twiceAsDense(kWithoutSharedMemory, "WithoutSharedMemoryTwice"),
                      twiceAsDense(kSixteenBitScreen, "SixteenBitScreenTwice")),
    [](const ::testing::TestParamInfo<Server>& info) { return std::string(info.param.name); });

}  // namespace
