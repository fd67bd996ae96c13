// The window's scale: what the user, the desktop and the X resources ask for, and what fits.
#include <gtest/gtest.h>

#include "platform/x11/scale.h"

namespace {

using platform::Size;
using platform::x11::chooseScale;
using platform::x11::ScaleRequests;
using platform::x11::toLogical;

constexpr Size kGameWindow{480, 640};
constexpr Size kLargeScreen{7680, 8640};  // room for eight times the game's window

int scaleOf(const ScaleRequests& requests, Size workArea = kLargeScreen) {
    return chooseScale(requests, kGameWindow, workArea);
}

TEST(X11Scale, TheFirstValidRequestCounts) {
    EXPECT_EQ(scaleOf({}), 1);
    EXPECT_EQ(scaleOf({"3", "2", "Xft.dpi: 192"}), 3);
    EXPECT_EQ(scaleOf({"1", "2", "Xft.dpi: 192"}), 1);
    EXPECT_EQ(scaleOf({nullptr, "2", "Xft.dpi: 288"}), 2);
    // Whole numbers from 1 to 8 only; anything else is passed over.
    for (const char* invalid : {"", "0", "9", "-2", "2x", "1.5", " "})
        EXPECT_EQ(scaleOf({invalid, "3", nullptr}), 3) << '"' << invalid << '"';
    EXPECT_EQ(scaleOf({nullptr, "12", nullptr}), 8);
    EXPECT_EQ(scaleOf({nullptr, "0", "Xft.dpi: 192"}), 2);
}

TEST(X11Scale, DesktopResolutionAsksFromOneAndAHalfTimesUp) {
    EXPECT_EQ(scaleOf({nullptr, nullptr, "Xft.dpi: 96"}), 1);
    EXPECT_EQ(scaleOf({nullptr, nullptr, "Xft.dpi: 143.9"}), 1);
    EXPECT_EQ(scaleOf({nullptr, nullptr, "Xft.dpi: 144"}), 2);
    EXPECT_EQ(scaleOf({nullptr, nullptr, "Xft.antialias: 1\nXft.dpi:\t192 \nXft.hinting: 1"}), 2);
    EXPECT_EQ(scaleOf({nullptr, nullptr, "Xft.dpi: 288"}), 3);
    EXPECT_EQ(scaleOf({nullptr, nullptr, "Xft.dpi: 100000"}), 8);
    EXPECT_EQ(scaleOf({nullptr, nullptr, "Xft.dpi: lots"}), 1);
    EXPECT_EQ(scaleOf({nullptr, nullptr, "Xcursor.size: 48"}), 1);
}

TEST(X11Scale, NeverMoreThanTheWorkAreaHolds) {
    EXPECT_EQ(scaleOf({"3"}, {1500, 1400}), 2);
    EXPECT_EQ(scaleOf({"3"}, {1440, 1920}), 3);
    EXPECT_EQ(scaleOf({"3"}, {1439, 1920}), 2);
    EXPECT_EQ(scaleOf({nullptr, nullptr, "Xft.dpi: 192"}, {1920, 1080}), 1);
    EXPECT_EQ(scaleOf({"8"}, {100, 100}), 1);
}

TEST(X11Scale, DevicePositionsRoundDownToThePicturesPixels) {
    EXPECT_EQ(toLogical(0, 2), 0);
    EXPECT_EQ(toLogical(61, 2), 30);
    EXPECT_EQ(toLogical(-1, 2), -1);
    EXPECT_EQ(toLogical(-2, 2), -1);
    EXPECT_EQ(toLogical(-3, 3), -1);
    EXPECT_EQ(toLogical(-4, 3), -2);
    EXPECT_EQ(toLogical(-7, 1), -7);
}

}  // namespace
