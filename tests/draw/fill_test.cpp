// Filled bars, clearing, background colours, the drawing area and reading pixels back.
#include <gtest/gtest.h>

#include <climits>

#include "tests/support/pixels.h"
#include "tests/support/test_page.h"

namespace {

constexpr RGBVAL kRed = 0xFF0000;
constexpr RGBVAL kGreen = 0x00FF00;
constexpr RGBVAL kBlue = 0x0000FF;

TEST(FillBar, CoversLeftTopAndExcludesRightBottom) {
    TestPage page(64, 48);
    setbrushcolor(kRed);
    fillbar(10, 10, 20, 20);
    EXPECT_TRUE(matchesPicture(
        page.image(),
        [](int x, int y) { return x >= 10 && x < 20 && y >= 10 && y < 20 ? kRed : 0; },
        "fillbar_half_open"));
}

TEST(FillBar, EmptyAndInvertedBarsDrawNothing) {
    TestPage page(32, 32);
    setbrushcolor(kRed);
    fillbar(10, 10, 10, 20);
    fillbar(10, 10, 20, 10);
    fillbar(20, 10, 10, 20);
    fillbar(10, 20, 20, 10);
    EXPECT_EQ(countColor(page.image(), kRed, 0, 0, 32, 32), 0);
}

TEST(FillBar, ExtremeCoordinatesClipToTheImage) {
    TestPage page(40, 30);
    setbrushcolor(kGreen);
    fillbar(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(countColor(page.image(), kGreen, 0, 0, 40, 30), 40 * 30);
    // The spare row below the image is never drawn on.
    EXPECT_EQ(page.image()->pixels[30 * 40], 0u);

    setbrushcolor(kRed);
    fillbar(INT_MAX - 5, 0, INT_MAX, 10);
    fillbar(INT_MIN, INT_MIN, INT_MIN + 5, INT_MIN + 5);
    EXPECT_EQ(countColor(page.image(), kRed, 0, 0, 40, 30), 0);
}

TEST(DrawArea, OriginMovesAndClipCutsDrawing) {
    TestPage page(50, 40);
    setdrawarea(10, 5, 30, 25, 1);
    setbrushcolor(kBlue);
    fillbar(-100, -100, 100, 100);
    EXPECT_TRUE(matchesPicture(
        page.image(),
        [](int x, int y) { return x >= 10 && x < 30 && y >= 5 && y < 25 ? kBlue : 0; },
        "drawarea_clip"));

    // Without clipping only the origin moves.
    setdrawarea(10, 5, 30, 25, 0);
    setbrushcolor(kRed);
    fillbar(0, 0, 2, 2);
    EXPECT_EQ(readpixel(0, 0), kRed);
    EXPECT_EQ(page.image()->pixels[5 * 50 + 10], kRed);
    fillbar(35, 30, 45, 40);  // beyond the area, inside the image
    EXPECT_EQ(page.image()->pixels[39 * 50 + 49], kRed);
}

TEST(DrawArea, IsClampedToTheImageAndReadBack) {
    TestPage page(480, 640);
    setdrawarea(-5, -5, 10000, 10000, 1);
    int left = 1, top = 1, right = 0, bottom = 0, clip = 0;
    getdrawarea(&left, &top, &right, &bottom, &clip);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(right, 480);
    EXPECT_EQ(bottom, 640);
    EXPECT_EQ(clip, 1);
    getdrawarea(nullptr, nullptr, nullptr, nullptr, nullptr);  // null pointers are skipped

    // An inverted or empty area clips everything away.
    setdrawarea(30, 30, 10, 10, 1);
    setbrushcolor(kRed);
    fillbar(-1000, -1000, 1000, 1000);
    EXPECT_EQ(countColor(page.image(), kRed, 0, 0, 480, 640), 0);
}

TEST(ReadPixel, FollowsTheOriginAndIsZeroOutside) {
    TestPage page(20, 20);
    setbrushcolor(kRed);
    fillbar(4, 5, 5, 6);
    EXPECT_EQ(readpixel(4, 5), kRed);
    EXPECT_EQ(readpixel(-1, 0), 0u);
    EXPECT_EQ(readpixel(20, 0), 0u);
    EXPECT_EQ(readpixel(0, 20), 0u);
    EXPECT_EQ(readpixel(INT_MAX, INT_MAX), 0u);
    setdrawarea(5, 5, 20, 20, 1);
    EXPECT_EQ(readpixel(-1, 0), kRed);  // column 4, row 5
    EXPECT_EQ(readpixel(INT_MIN, INT_MIN), 0u);
}

TEST(ClearImage, IgnoresTheDrawingArea) {
    TestPage page(30, 30);
    setbackcolorkeep(kBlue);
    setdrawarea(10, 10, 20, 20, 1);
    clearimage();
    EXPECT_EQ(countColor(page.image(), kBlue, 0, 0, 30, 30), 30 * 30);
}

TEST(BackColor, RecoloursOnlyOldBackgroundPixels) {
    TestPage page(30, 30);
    setbrushcolor(kRed);
    fillbar(5, 5, 10, 10);
    setbackcolor(kGreen);
    EXPECT_EQ(getbackcolor(), kGreen);
    EXPECT_EQ(countColor(page.image(), kRed, 0, 0, 30, 30), 25);
    EXPECT_EQ(countColor(page.image(), kGreen, 0, 0, 30, 30), 900 - 25);

    setbackcolorkeep(kBlue);
    EXPECT_EQ(getbackcolor(), kBlue);
    EXPECT_EQ(countColor(page.image(), kGreen, 0, 0, 30, 30), 900 - 25);
    clearimage();
    EXPECT_EQ(countColor(page.image(), kBlue, 0, 0, 30, 30), 900);
}

// Hatch lines are in the fill colour, the background colour shows between them, and the
// pattern follows the image's pixel grid.
TEST(BrushPattern, HatchesDrawLinesOnTheBackground) {
    TestPage page(16, 16);
    setbackcolorkeep(kBlue);
    auto hatchAt = [&](int pattern, int x, int y) {
        setbrushpattern(pattern, kRed);
        fillbar(0, 0, 16, 16);
        return readpixel(x, y) == kRed;
    };
    // Vertical: one column in eight.
    EXPECT_TRUE(hatchAt(2, 8, 3));
    EXPECT_FALSE(hatchAt(2, 9, 3));
    EXPECT_EQ(countColor(page.image(), kBlue, 0, 0, 16, 16), 16 * 14);
    // Rising and falling diagonals run in opposite directions.
    EXPECT_TRUE(hatchAt(3, 7, 0));
    EXPECT_TRUE(hatchAt(3, 0, 7));
    EXPECT_FALSE(hatchAt(3, 0, 0));
    EXPECT_TRUE(hatchAt(5, 0, 0));
    EXPECT_TRUE(hatchAt(5, 3, 3));
    EXPECT_FALSE(hatchAt(5, 7, 0));
    // Crosses combine both directions of their kind.
    EXPECT_TRUE(hatchAt(7, 8, 5));
    EXPECT_TRUE(hatchAt(7, 5, 8));
    EXPECT_FALSE(hatchAt(7, 5, 5));
    EXPECT_TRUE(hatchAt(8, 2, 2));
    EXPECT_TRUE(hatchAt(8, 2, 5));
    EXPECT_FALSE(hatchAt(8, 2, 3));
    // Synonyms of the table, and solid brushes.
    for (int pattern : {9})
        EXPECT_TRUE(hatchAt(pattern, 8, 1) && !hatchAt(pattern, 9, 1));
    for (int pattern : {-3, 0, 1, 12, 99}) {
        setbrushpattern(pattern, kGreen);
        fillbar(0, 0, 16, 16);
        EXPECT_EQ(countColor(page.image(), kGreen, 0, 0, 16, 16), 256) << pattern;
    }
    // A hatch keeps its alignment when the drawing area moves.
    setdrawarea(3, 0, 16, 16, 1);
    setbrushpattern(2, kRed);
    fillbar(0, 0, 13, 16);
    EXPECT_EQ(page.image()->pixels[8], kRed);
    EXPECT_EQ(page.image()->pixels[3], kBlue);
}

}  // namespace
