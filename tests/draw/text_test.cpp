// Text: cell layout, opaque cells, colours, anchors, replacement boxes, clipping and sizes.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>

#include "draw/glyph_cache.h"
#include "tests/draw/text_page.h"
#include "tests/support/pixels.h"

namespace {

constexpr const char* kMixed = "a\xD6\xD0\x62";  // a中b: cells of 12, 24 and 12

TEST(DrawText, CellsAreOneOrTwoWidthsWideAndOpaque) {
    TextPage page(80, 40);
    drawtext(5, 3, kMixed);
    EXPECT_EQ(page.changed(), (Box{5, 3, 53, 27}));
    EXPECT_GT(page.inked({5, 3, 17, 27}), 10);
    EXPECT_GT(page.inked({17, 3, 41, 27}), 40);
    EXPECT_GT(page.inked({41, 3, 53, 27}), 10);

    // Text of the same width replaces what was there; the cache, full or emptied, draws the same.
    drawtext(0, 0, "back");
    const std::vector<RGBVAL> back = page.picture({0, 0, 80, 40});
    drawtext(0, 0, "next");
    drawtext(0, 0, "back");
    EXPECT_EQ(page.picture({0, 0, 80, 40}), back);
    draw::clearGlyphCache();
    drawtext(0, 0, "back");
    EXPECT_EQ(page.picture({0, 0, 80, 40}), back);
}

TEST(DrawText, GlyphsBlendFromBackgroundToPen) {
    TextPage page(60, 30);
    drawtext(0, 0, "\xD6\xD0\xCE\xC4");
    int ink = 0, mixed = 0;
    for (const RGBVAL c : page.picture({0, 0, 48, 24})) {
        ink += c == kInk;
        mixed += c != kInk && c != kBack;
        // Every byte between the background's and the pen's.
        for (int shift = 0; shift < 32; shift += 8) {
            const auto byte = [shift](RGBVAL v) { return v >> shift & 0xFF; };
            EXPECT_LE(std::min(byte(kBack), byte(kInk)), byte(c));
            EXPECT_GE(std::max(byte(kBack), byte(kInk)), byte(c));
        }
    }
    EXPECT_GT(ink, 10);
    EXPECT_GT(mixed, 10);
}

TEST(DrawText, AnchorsPlaceTheRunAroundThePoint) {
    struct Case {
        int horiz, vert;
        Box expected;
    };
    // "ab中" is 48 wide and drawn at (100, 50).
    const Case cases[] = {
        {0, 2, {100, 50, 148, 74}}, {1, 2, {76, 50, 124, 74}}, {2, 2, {52, 50, 100, 74}},
        {2, 0, {52, 26, 100, 50}},  {1, 1, {76, 38, 124, 62}}, {7, -1, {100, 50, 148, 74}},
    };
    TextPage page(200, 120);
    for (const Case& c : cases) {
        page.repaint();
        settextanchor(c.horiz, c.vert);
        drawtext(100, 50, "ab\xD6\xD0");
        EXPECT_EQ(page.changed(), c.expected) << c.horiz << ", " << c.vert;
    }
    // A 25-pixel font rises by 12 when centred; anchors follow the drawing area's origin.
    setfontface(25, 12, kSong);
    settextanchor(1, 1);
    page.repaint();
    setdrawarea(20, 10, 200, 120, 1);
    drawtext(80, 40, "abc");
    EXPECT_EQ(page.changed(), (Box{82, 38, 118, 63}));
}

TEST(DrawText, CountsOnceOnTheCurrentImageWhateverItDraws) {
    TextPage page(40, 30);
    drawtext(0, 0, "ab");
    drawtext(0, 0, nullptr);
    drawchar(0, 0, 0x200);
    setfontface(24, 12, kHei);
    measuretextheight("ab");
    drawtext(0, 0, "ab", reinterpret_cast<PIMAGE>(16));
    EXPECT_EQ(graphstate().refreshcountdown, kRefreshFresh - 3);
    EXPECT_EQ(measuretextheight("a", reinterpret_cast<PIMAGE>(5)), 0);
}

TEST(DrawChar, DrawsTheLowByteAsTextAndNothingForZero) {
    TextPage page(40, 30);
    drawtext(0, 0, "A");
    const std::vector<RGBVAL> a = page.picture({0, 0, 40, 30});
    page.repaint();
    drawchar(0, 0, 0x141);
    EXPECT_EQ(page.picture({0, 0, 40, 30}), a);
    page.repaint();
    drawchar(0, 0, 0x100);
    EXPECT_EQ(page.changed(), Box{});
}

TEST(DrawText, UndrawableCharactersShowABoxInACellOfTheirWidth) {
    TextPage page(200, 30);
    drawtext(0, 0, "\xFF");       // never a character
    drawtext(20, 0, "\x81");      // a lead byte cut off by the terminator
    drawtext(40, 0, "\x81\x30");  // a lead byte before a byte that is no trail byte
    drawtext(80, 0, "\xAA\xA1");  // an unassigned double-byte code
    drawtext(160, 0, "0");
    const std::vector<RGBVAL> box = page.picture({0, 0, 12, 24});
    EXPECT_GT(page.inked({0, 0, 12, 24}), 20);
    EXPECT_EQ(page.picture({20, 0, 32, 24}), box);
    EXPECT_EQ(page.picture({40, 0, 52, 24}), box);
    EXPECT_EQ(page.picture({52, 0, 64, 24}), page.picture({160, 0, 172, 24}));
    EXPECT_EQ(page.changed(), (Box{0, 0, 172, 24}));
    EXPECT_EQ(page.picture({104, 0, 105, 24}), std::vector<RGBVAL>(24, kPaper));
    EXPECT_GT(page.inked({80, 0, 104, 24}), 30);
}

TEST(DrawText, IsCutAtEveryEdgeOfTheClip) {
    TextPage page(120, 60);
    drawtext(20, 20, kMixed);  // 20..68 x 20..44
    const std::vector<RGBVAL> whole = page.picture({0, 0, 120, 60});
    for (const Box& clip : {Box{30, 0, 120, 60}, Box{0, 0, 50, 60}, Box{0, 30, 120, 60},
                            Box{0, 0, 120, 35}, Box{25, 25, 60, 40}}) {
        page.repaint();
        setdrawarea(clip[0], clip[1], clip[2], clip[3], 1);
        drawtext(20 - clip[0], 20 - clip[1], kMixed);
        const auto expected = [&](int x, int y) {
            const bool inside = x >= clip[0] && x < clip[2] && y >= clip[1] && y < clip[3];
            return inside ? whole[y * 120 + x] : kPaper;
        };
        EXPECT_TRUE(matchesPicture(page.image(), expected,
                                   "text_clip_" + std::to_string(clip[0] + clip[2] * 1000)));
    }
}

TEST(DrawText, ExtremeCoordinatesAndLongRunsStayInside) {
    TextPage page(100, 40);
    setdrawarea(10, 10, 100, 40, 1);
    const int coords[] = {INT_MIN, INT_MIN / 2, INT_MAX / 2, INT_MAX};
    for (int anchor = 0; anchor < 9; ++anchor) {
        settextanchor(anchor % 3, anchor / 3);
        for (const int a : coords) {
            for (const int b : coords)
                drawtext(a, b, "ab\xD6\xD0");
            drawtext(a, 10, "ab\xD6\xD0");
            drawtext(10, a, "ab\xD6\xD0");
        }
    }
    EXPECT_EQ(page.changed(), Box{});

    // A long run costs only what shows, from whichever side it comes.
    const std::string run(1'000'000, 'a');
    settextanchor(0, 2);
    drawtext(INT_MIN, 0, run.c_str());
    EXPECT_EQ(page.changed(), Box{});
    drawtext(-5, 0, run.c_str());
    EXPECT_EQ(page.changed(), (Box{10, 10, 100, 34}));
    page.repaint();
    settextanchor(2, 2);
    drawtext(30, 0, run.c_str());
    EXPECT_EQ(page.changed(), (Box{0, 0, 30, 24}));
}

TEST(SetFontFace, SizesAreNormalised) {
    TextPage page(700, 700);
    // Negative sizes count by their magnitude; 0 is the default height of 16, and a width of
    // 0 is half the height.
    const struct {
        int height, width;
        Box expected;
    } cases[] = {{-24, -12, {0, 0, 48, 24}},
                 {0, 0, {0, 0, 32, 16}},
                 {25, 0, {0, 0, 48, 25}},
                 {1, 1, {0, 0, 4, 1}}};
    for (const auto& c : cases) {
        setfontface(c.height, c.width, kSong);
        page.repaint();
        drawtext(0, 0, kMixed);
        EXPECT_EQ(page.changed(), c.expected) << c.height << " x " << c.width;
    }
    setfontface(INT_MIN, INT_MIN, kSong);
    EXPECT_EQ(measuretextheight("a"), INT_MAX);

    // Huge cells cover the page; cells too large to rasterise get the glyph in their middle.
    settextanchor(1, 1);
    drawtext(32, 24, kMixed);
    EXPECT_EQ(page.changed(), (Box{0, 0, 700, 700}));
    settextanchor(0, 2);
    setfontface(640, 640, kSong);
    page.repaint();
    drawtext(0, 0, "a");
    EXPECT_EQ(page.changed(), (Box{0, 0, 640, 640}));
    EXPECT_GT(page.inked({64, 64, 576, 576}), 1000);
    EXPECT_EQ(page.inked({0, 0, 640, 64}), 0);
}

TEST(SetFontFace, NamesMapToFacesAndUnknownOnesToSans) {
    TextPage page(24, 24);
    PIMAGE fresh = newimage(40, 20);
    EXPECT_EQ(measuretextheight("a", fresh), 16);  // the default font
    freeimage(fresh);

    setfontface(24, 12, kHei);
    drawtext(0, 0, kZhong);
    const std::vector<RGBVAL> hei = page.picture({0, 0, 24, 24});
    setfontface(24, 12, kSong);
    drawtext(0, 0, kZhong);
    EXPECT_NE(page.picture({0, 0, 24, 24}), hei);

    // A name of 31 bytes without a terminator is read no further.
    const auto unterminated = std::make_unique<char[]>(31);
    std::memset(unterminated.get(), 'x', 31);
    for (const char* face : {static_cast<const char*>(nullptr), "No Such Face", "",
                             static_cast<const char*>(unterminated.get())}) {
        setfontface(24, 12, face);
        drawtext(0, 0, kZhong);
        EXPECT_EQ(page.picture({0, 0, 24, 24}), hei) << (face != nullptr ? face[0] : '-');
    }
    EXPECT_EQ(measuretextheight(nullptr), 24);
}

}  // namespace
