// Raster-operation transfers, same size and stretched: coordinates, clipping, the operations
// themselves and moving an image along itself; the refresh countdown and the fatal box for
// every transfer and blend.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

#include "runtime/graph_state.h"
#include "tests/draw/coded_image.h"
#include "tests/support/exit_codes.h"
#include "tests/support/pixels.h"
#include "tests/support/test_page.h"

namespace {

constexpr RGBVAL kBlank = 0x00FFFFFF;
constexpr uint32_t kSrcInvert = 0x00660046;
constexpr uint32_t kNotSrcCopy = 0x00330008;
constexpr uint32_t kPatCopy = 0x00F00021;
constexpr uint32_t kMergeCopy = 0x00C000CA;  // pattern and source
constexpr uint32_t kDstInvert = 0x00550009;

// What a copy of coded pixel (x, y) holds: the whole word.
RGBVAL copied(int x, int y) {
    return kCodeTop | positionCode(x, y);
}

bool inside(int x, int y, int left, int top, int right, int bottom) {
    return x >= left && x < right && y >= top && y < bottom;
}

TEST(Putimage, FollowsBothOriginsAndLeavesWhatLiesOutsideClipOrSource) {
    TestPage page(60, 40);
    setbackcolor(kBlank);
    OwnedImage src = codedImage(30, 30);
    setdrawarea(20, 10, 40, 30, 1);
    EXPECT_NE(src->putimage(nullptr, -5, -5, 30, 30, 0, 0, SRCCOPY), 0);
    EXPECT_TRUE(matchesPicture(
        page.image(),
        [](int x, int y) { return inside(x, y, 20, 10, 40, 30) ? copied(x - 15, y - 5) : kBlank; },
        "putimage_origin_clip"));

    // Source coordinates count from the source's origin, (24, 22) here.
    clearimage();
    setdrawarea(0, 0, 60, 40, 1);
    setdrawarea(24, 22, 30, 30, 1, src.get());
    src->putimage(nullptr, 0, 0, 20, 20, 0, 0, SRCCOPY);
    src->putimage(nullptr, 30, 0, 20, 20, -3, -3, SRCCOPY);
    EXPECT_TRUE(matchesPicture(
        page.image(),
        [](int x, int y) {
            if (inside(x, y, 0, 0, 6, 8))
                return copied(x + 24, y + 22);
            if (inside(x, y, 30, 0, 39, 11))
                return copied(x - 9, y + 19);
            return kBlank;
        },
        "putimage_outside_source"));
}

TEST(RasterOps, CombinePatternSourceAndDestinationBitwise) {
    const RGBVAL brush = 0x00336699;
    const RGBVAL dest[4] = {0x00000000, 0x00FFFFFF, 0x00F0F0F0, 0x12345678};
    const RGBVAL source[4] = {0x00FFFFFF, 0x0000FF00, 0x000F0F0F, 0x87654321};
    const struct {
        uint32_t rop;
        std::function<RGBVAL(RGBVAL p, RGBVAL s, RGBVAL d)> result;
    } ops[] = {
        {SRCCOPY, [](RGBVAL, RGBVAL s, RGBVAL) { return s; }},
        {kSrcInvert, [](RGBVAL, RGBVAL s, RGBVAL d) { return s ^ d; }},
        {kNotSrcCopy, [](RGBVAL, RGBVAL s, RGBVAL) { return ~s; }},
        {kPatCopy, [](RGBVAL p, RGBVAL, RGBVAL) { return p; }},
        {kMergeCopy, [](RGBVAL p, RGBVAL s, RGBVAL) { return p & s; }},
        {kDstInvert, [](RGBVAL, RGBVAL, RGBVAL d) { return ~d; }},
    };
    TestPage page(4, 1);
    OwnedImage src(newimage(4, 1));
    std::copy(source, source + 4, src->pixels);
    setbrushcolor(brush);
    for (const auto& op : ops) {
        std::copy(dest, dest + 4, page.image()->pixels);
        putimage(0, 0, src.get(), op.rop);
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(page.image()->pixels[x], op.result(brush, source[x], dest[x]))
                << std::hex << "rop " << op.rop << " pixel " << x;
        }
    }
}

TEST(RasterOps, AHatchedPatternLiesOnTheImageGridAsFillbarDraws) {
    TestPage page(40, 30);
    OwnedImage reference(newimage(40, 30));
    OwnedImage src(newimage(25, 25));
    for (PIMAGE img : {page.image(), reference.get()}) {
        setbackcolor(0x00102030, img);
        setbrushpattern(8, 0x00C0FFEE, img);
    }
    fillbar(3, 2, 28, 27, reference.get());
    src->putimage(nullptr, 3, 2, kPatCopy);
    EXPECT_EQ(pixelsOf(page.image()), pixelsOf(reference.get()));
}

TEST(Putimage, MovesAnImageAlongItselfAsIfFromACopy) {
    // Each move as (xDest, yDest, xSrc, ySrc), in every direction that overlaps.
    const int moves[][4] = {{3, 2, 0, 0}, {0, 0, 3, 2}, {5, 0, 2, 0}, {0, 1, 0, 4}, {1, 3, 4, 0}};
    for (uint32_t rop : {SRCCOPY, kSrcInvert}) {
        for (const auto& move : moves) {
            TestPage page(30, 20);
            OwnedImage original = codedImage(30, 20);
            page.image()->copyimage(original.get());
            page.image()->putimage(page.image(), move[0], move[1], 20, 12, move[2], move[3], rop);
            const auto expected = [&](int x, int y) {
                const RGBVAL before = original->pixels[y * 30 + x];
                if (!inside(x, y, move[0], move[1], move[0] + 20, move[1] + 12))
                    return before;
                const RGBVAL from = copied(x - move[0] + move[2], y - move[1] + move[3]);
                return rop == SRCCOPY ? from : from ^ before;
            };
            EXPECT_TRUE(matchesPicture(page.image(), expected, "putimage_self"))
                << "move " << move[0] << ", " << move[1] << " from " << move[2] << ", " << move[3];
        }
    }
}

TEST(Stretch, PicksWholeRowsAndColumnsAtTheDestinationOrigin) {
    TestPage page(400, 200);
    setbackcolor(kBlank);
    OwnedImage src = codedImage(400, 200);
    setdrawarea(10, 20, 400, 200, 1);
    EXPECT_NE(putimage(nullptr, 0, 0, 200, 100, src.get(), 0, 0, 400, 200), 0);
    EXPECT_NE(putimage(nullptr, 250, 0, 40, 30, src.get(), 5, 7, 20, 10), 0);
    EXPECT_TRUE(matchesPicture(
        page.image(),
        [](int x, int y) {
            if (inside(x, y, 10, 20, 210, 120))
                return copied(2 * (x - 10), 2 * (y - 20));
            if (inside(x, y, 260, 20, 300, 50))
                return copied(5 + (x - 260) / 2, 7 + (y - 20) / 3);
            return kBlank;
        },
        "stretch_scale"));
}

TEST(Stretch, MirrorsWhenExactlyOneSizeIsNegative) {
    TestPage page(20, 10);
    OwnedImage src = codedImage(20, 10);
    putimage(nullptr, 20, 0, -20, 10, src.get(), 0, 0, 20, 10);
    EXPECT_TRUE(matchesPicture(
        page.image(), [](int x, int y) { return copied(19 - x, y); }, "stretch_mirror_x"));
    putimage(nullptr, 0, 0, 20, 10, src.get(), 0, 10, 20, -10);
    EXPECT_TRUE(matchesPicture(
        page.image(), [](int x, int y) { return copied(x, 9 - y); }, "stretch_mirror_y"));
    putimage(nullptr, 20, 10, -20, -10, src.get(), 20, 10, -20, -10);
    EXPECT_TRUE(matchesPicture(page.image(), copied, "stretch_both_negative"));
}

TEST(Stretch, ExtremeSizesClipToTheDestinationAndTheSource) {
    TestPage page(30, 20);
    setbackcolor(kBlank);
    OwnedImage src = codedImage(10, 10);
    // Each source pixel would cover millions of destination pixels; only the page is walked.
    putimage(nullptr, 0, 0, INT_MAX, INT_MAX, src.get(), 3, 4, 10, 10);
    EXPECT_EQ(countColor(page.image(), copied(3, 4), 0, 0, 30, 20), 600);
    const int extremes[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX};
    for (int a : extremes) {
        for (int b : extremes) {
            putimage(nullptr, a, b, b, a, src.get(), b, a, a, b);
            putimage(nullptr, 0, 0, a, b, src.get(), 0, 0, b, a);
        }
    }
    // Sources past the store's edge are left out: a 1:1 copy of 20 columns from 10.
    clearimage();
    putimage(nullptr, 0, 0, 20, 5, src.get(), 0, 0, 20, 5);
    EXPECT_TRUE(matchesPicture(
        page.image(),
        [](int x, int y) { return inside(x, y, 0, 0, 10, 5) ? copied(x, y) : kBlank; },
        "stretch_past_source"));
    EXPECT_EQ(page.image()->pixels[20 * 30], 0u);  // the spare row
}

TEST(Transfers, CountOnceOnTheCurrentPageAndSayWhetherTheyRan) {
    TestPage page(16, 16);
    OwnedImage src = codedImage(4, 4);
    OwnedImage mask(newimage(4, 4));
    const std::function<int()> countingCalls[] = {
        [&] { return src->putimage(nullptr, 0, 0, 4, 4, 0, 0, SRCCOPY); },
        [&] { return src->putimage(1, 1, SRCCOPY); },
        [&] { return putimage(2, 2, src.get()); },
        [&] { return putimage(nullptr, 0, 0, 8, 8, src.get(), 0, 0, 4, 4); },
        // Clipped to nothing: it still ran, and still counts.
        [&] { return src->putimage(nullptr, 100, 100, 4, 4, 0, 0, SRCCOPY); },
        [&] { return 1 + putimage_alphablend(nullptr, src.get(), 0, 0, 128); },
        [&] { return 1 + src->putimage_alphablend(nullptr, 0, 0, mask.get(), 0, 0, 0, 0); },
    };
    std::atomic<int32_t>& countdown = graphstate().refreshcountdown;
    for (const auto& call : countingCalls) {
        const int32_t before = countdown;
        EXPECT_NE(call(), 0);
        EXPECT_EQ(countdown, before - 1);
    }
    const int32_t before = countdown;
    EXPECT_NE(src->putimage(page.image(), 0, 0, SRCCOPY), 0);
    EXPECT_EQ(src->putimage(reinterpret_cast<PIMAGE>(3), 0, 0, SRCCOPY), 0);  // an empty slot
    EXPECT_EQ(countdown, before);

    // Without a current image nothing runs, and the draw is still counted once only.
    graphstate().target = nullptr;
    EXPECT_EQ(src->putimage(0, 0, SRCCOPY), 0);
    EXPECT_EQ(countdown, before - 1);
    settarget(nullptr);
}

using TransferDeathTest = ::testing::Test;

TEST(TransferDeathTest, ANullOrPageNumberSourceEndsTheProcess) {
    TestPage page(4, 4);
    const char* const box =
        "TARVEL ERROR message: Fatal error: read/write at 0x0+3?\\. At function 'IMAGE::putimage'";
    const auto exited = ::testing::ExitedWithCode(kFatalExitStatus);
    EXPECT_EXIT(putimage(0, 0, nullptr), exited, box);
    EXPECT_EXIT(putimage(0, 0, reinterpret_cast<PIMAGE>(3)), exited, box);
    EXPECT_EXIT(putimage(nullptr, 0, 0, 4, 4, nullptr, 0, 0, 4, 4), exited, box);
    EXPECT_EXIT(putimage_alphablend(nullptr, nullptr, 0, 0, 255), exited,
                "At function 'IMAGE::putimage_alphablend'");
    EXPECT_EXIT(page.image()->putimage_alphablend(nullptr, 0, 0, PIMAGE{}, 0, 0, 0, 0), exited,
                "At function 'IMAGE::putimage_alphablend'");
}

}  // namespace
