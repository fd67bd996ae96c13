// Circles, arcs, pens and dashes.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "draw/pen.h"
#include "tests/support/pixels.h"
#include "tests/support/test_page.h"

namespace {

constexpr RGBVAL kWhite = 0xFFFFFF;

// The one-pixel circle of radius r around the corner point between four pixels: the pixels
// whose centres lie more than r - 1 and at most r away from it.
bool onCircle(int dx, int dy, int r) {
    const int64_t x = 2 * dx + 1;
    const int64_t y = 2 * dy + 1;
    const int64_t d2 = x * x + y * y;
    return d2 > 4 * int64_t{r - 1} * (r - 1) && d2 <= 4 * int64_t{r} * r;
}

// Like every shape, a circle fills its bounding box up to but excluding its right and bottom
// edges: drawn around the middle of a 30-pixel block, it stays inside the block.
TEST(Circle, FillsItsBoundingBoxUpToTheRightAndBottomEdges) {
    TestPage page(480, 640);
    setpencolor(kWhite);
    drawcircle(235, 365, 15);
    EXPECT_EQ(readpixel(249, 365), kWhite);
    EXPECT_EQ(readpixel(235, 350), kWhite);
    EXPECT_EQ(readpixel(220, 365), kWhite);
    EXPECT_EQ(readpixel(235, 379), kWhite);
    EXPECT_EQ(readpixel(250, 365), 0u);
    EXPECT_EQ(readpixel(219, 365), 0u);
    EXPECT_EQ(readpixel(235, 349), 0u);
    EXPECT_EQ(readpixel(235, 380), 0u);
    EXPECT_EQ(readpixel(235, 365), 0u);
    EXPECT_TRUE(matchesPicture(
        page.image(), [](int x, int y) { return onCircle(x - 235, y - 365, 15) ? kWhite : 0; },
        "circle_r15"));
}

// The game draws a filled disc as circles of radius 1 to 15, and a ring as radius 8 to 15.
TEST(Circle, ConcentricCirclesFillADiscWithoutHoles) {
    TestPage page(60, 60);
    setpencolor(kWhite);
    for (int r = 1; r <= 15; ++r)
        drawcircle(30, 30, r);
    EXPECT_TRUE(matchesPicture(
        page.image(),
        [](int x, int y) {
            const int dx = 2 * (x - 30) + 1, dy = 2 * (y - 30) + 1;
            return dx * dx + dy * dy <= 30 * 30 ? kWhite : 0;
        },
        "disc"));
    EXPECT_EQ(countColor(page.image(), kWhite, 0, 0, 15, 60), 0);
    EXPECT_EQ(countColor(page.image(), kWhite, 45, 0, 60, 60), 0);

    clearimage();
    for (int r = 8; r <= 15; ++r)
        drawcircle(30, 30, r);
    EXPECT_EQ(readpixel(30, 30), 0u);
    EXPECT_EQ(readpixel(30 + 6, 30), 0u);
    EXPECT_EQ(readpixel(30 + 7, 30), kWhite);
    EXPECT_EQ(readpixel(30, 30 - 15), kWhite);
}

TEST(Circle, HugeRadiiAndExtremeCentresStayInsideTheImage) {
    TestPage page(100, 80);
    setpencolor(kWhite);
    // A circle of radius 1e9 whose centre lies far to the left crosses the image as a nearly
    // vertical line, the last column of its bounding box.
    drawcircle(50 - 1000000000, 40, 1000000000);
    EXPECT_EQ(readpixel(49, 40), kWhite);
    EXPECT_EQ(readpixel(50, 40), 0u);
    EXPECT_EQ(countColor(page.image(), kWhite, 0, 0, 100, 80), 80);

    clearimage();
    drawcircle(INT_MIN, INT_MIN, INT_MAX);
    drawcircle(INT_MAX, INT_MAX, INT_MIN);
    drawcircle(INT_MIN, INT_MAX, 1000000000);
    drawarc(INT_MAX, INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MIN);
    setpenstyle(0, 0, INT_MAX);
    drawcircle(50, 40, 10);  // a pen wider than the image covers it whole
    EXPECT_EQ(countColor(page.image(), kWhite, 0, 0, 100, 80), 100 * 80);
    EXPECT_EQ(page.image()->pixels[80 * 100], 0u);  // the spare row
}

TEST(Circle, RadiusZeroIsEmptyAndNegativeRadiiMirror) {
    TestPage page(20, 20);
    setpencolor(kWhite);
    drawcircle(10, 10, 0);
    EXPECT_EQ(countColor(page.image(), kWhite, 0, 0, 20, 20), 0);
    drawcircle(10, 10, 1);  // the four pixels around the centre point
    EXPECT_EQ(countColor(page.image(), kWhite, 9, 9, 11, 11), 4);
    EXPECT_EQ(countColor(page.image(), kWhite, 0, 0, 20, 20), 4);
    clearimage();
    drawcircle(10, 10, -5);
    EXPECT_EQ(readpixel(14, 10), kWhite);
    EXPECT_EQ(readpixel(5, 10), kWhite);
    EXPECT_EQ(readpixel(15, 10), 0u);
}

TEST(Arc, RunsCounterClockwiseFromStartToEnd) {
    TestPage page(100, 100);
    setpencolor(kWhite);
    // A quarter from east to north: the upper-right quadrant only.
    drawarc(50, 50, 0, 90, 30, 30);
    EXPECT_EQ(readpixel(79, 49), kWhite);
    EXPECT_EQ(readpixel(79, 50), 0u);
    EXPECT_EQ(readpixel(50, 20), kWhite);
    EXPECT_EQ(readpixel(71, 29), kWhite);
    EXPECT_EQ(countColor(page.image(), kWhite, 0, 0, 50, 100), 0);
    EXPECT_EQ(countColor(page.image(), kWhite, 51, 52, 100, 100), 0);

    // From north to east the long way round: three quadrants.
    clearimage();
    drawarc(50, 50, 90, 0, 30, 30);
    EXPECT_EQ(readpixel(20, 50), kWhite);
    EXPECT_EQ(readpixel(50, 79), kWhite);
    EXPECT_EQ(countColor(page.image(), kWhite, 55, 25, 75, 45), 0);
}

TEST(Arc, EllipseTouchesItsBoundingBox) {
    TestPage page(100, 60);
    setpencolor(kWhite);
    drawarc(50, 30, 0, 360, 40, 20);
    EXPECT_EQ(readpixel(89, 30), kWhite);
    EXPECT_EQ(countColor(page.image(), kWhite, 90, 0, 100, 60), 0);
    EXPECT_EQ(countColor(page.image(), kWhite, 0, 50, 100, 60), 0);
    EXPECT_EQ(readpixel(10, 30), kWhite);
    EXPECT_EQ(readpixel(50, 10), kWhite);
    EXPECT_EQ(readpixel(50, 49), kWhite);
    EXPECT_EQ(countColor(page.image(), kWhite, 0, 0, 10, 60), 0);
    EXPECT_EQ(countColor(page.image(), kWhite, 0, 0, 100, 10), 0);
    EXPECT_EQ(readpixel(50, 30), 0u);
    // Every row between the top and bottom has its two ends.
    for (int y = 11; y < 49; ++y) {
        EXPECT_GE(countColor(page.image(), kWhite, 0, y, 50, y + 1), 1) << y;
        EXPECT_GE(countColor(page.image(), kWhite, 51, y, 100, y + 1), 1) << y;
    }
}

TEST(Arc, FollowsTheDrawingArea) {
    TestPage page(60, 60);
    setpencolor(kWhite);
    setdrawarea(20, 20, 40, 40, 1);
    drawcircle(10, 10, 12);  // centred at (30, 30), cut to the area
    EXPECT_EQ(countColor(page.image(), kWhite, 0, 0, 60, 20), 0);
    EXPECT_EQ(countColor(page.image(), kWhite, 0, 40, 60, 60), 0);
    EXPECT_EQ(countColor(page.image(), kWhite, 0, 0, 20, 60), 0);
    EXPECT_GT(countColor(page.image(), kWhite, 20, 20, 40, 40), 0);
}

TEST(Pen, DashListComesFromRunsOfThePattern) {
    auto lengths = [](uint32_t pattern) {
        const draw::DashList list = draw::dashListFromPattern(pattern);
        return std::vector<int>(list.lengths.begin(), list.lengths.begin() + list.count);
    };
    EXPECT_EQ(lengths(0x00FF), (std::vector<int>{8, 8}));
    EXPECT_EQ(lengths(0x0FFF), (std::vector<int>{12, 4}));
    EXPECT_EQ(lengths(0x0001), (std::vector<int>{1, 15}));
    EXPECT_EQ(lengths(0xFFFF), (std::vector<int>{16}));
    EXPECT_EQ(lengths(0x5555).size(), 16u);
    EXPECT_EQ(lengths(0x10000 | 0x00FF), (std::vector<int>{8, 8}));  // the low 16 bits only
}

TEST(Pen, UserPatternDrawsDashesAndGapsAlongTheArc) {
    TestPage page(500, 500);
    setpencolor(kWhite);
    setpenstyle(7, 0x00FF, 1);
    EXPECT_EQ(page.image()->linepattern, 0x00FFu);
    const int r = 200;
    drawcircle(250, 250, r);
    // Walk the circle from its start (east) counter-clockwise and look around the point at each
    // length: the middle of every dash is drawn, the middle of every gap is not.
    auto litNear = [&](int length) {
        const double a = (length + 0.5) / r;
        const int x = static_cast<int>(std::lround(250 + r * std::cos(a)));
        const int y = static_cast<int>(std::lround(250 - r * std::sin(a)));
        return countColor(page.image(), kWhite, x - 1, y - 1, x + 2, y + 2) > 0;
    };
    for (int length = 0; length < 160; ++length) {
        if (length % 8 < 2 || length % 8 > 5)
            continue;
        EXPECT_EQ(litNear(length), length % 16 < 8) << "at length " << length;
    }
}

TEST(Pen, NoneDrawsNothingAndWidthThickensTheOutline) {
    TestPage page(100, 100);
    setpencolor(kWhite);
    setpenstyle(5, 0, 1);
    drawcircle(50, 50, 20);
    EXPECT_EQ(countColor(page.image(), kWhite, 0, 0, 100, 100), 0);

    setpenstyle(0, 0, 5);
    drawcircle(50, 50, 20);
    for (int x = 67; x <= 71; ++x)
        EXPECT_EQ(readpixel(x, 50), kWhite) << x;
    EXPECT_EQ(readpixel(66, 50), 0u);
    EXPECT_EQ(readpixel(72, 50), 0u);

    // An inside-frame pen grows inwards from the outline of a one-pixel pen.
    clearimage();
    setpenstyle(6, 0, 5);
    drawcircle(50, 50, 20);
    for (int x = 65; x <= 69; ++x)
        EXPECT_EQ(readpixel(x, 50), kWhite) << x;
    EXPECT_EQ(readpixel(70, 50), 0u);

    // A style no pen can be made of keeps the previous pen.
    setpenstyle(42, 0, 1);
    EXPECT_EQ(page.image()->linestyle, 42);
    clearimage();
    drawcircle(50, 50, 20);
    EXPECT_EQ(readpixel(66, 50), kWhite);
}

}  // namespace
