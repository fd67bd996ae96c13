// The alpha blends: the word arithmetic, the shared clipping, the mask, and viewports.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "draw/blend.h"
#include "draw/simd/span_kernels.h"
#include "tests/draw/coded_image.h"
#include "tests/support/pixels.h"
#include "tests/support/test_page.h"

namespace {

constexpr RGBVAL kBlank = 0xFFFFFF;

// Words with every kind of byte, top bytes included, from a fixed sequence.
std::vector<uint32_t> sampleWords(int count) {
    std::vector<uint32_t> words = {0, 0xFFFFFFFF, 0x00FFFFFF, 0xFF000000, 0x00010101, 0x80808080};
    for (uint32_t state = 12345; static_cast<int>(words.size()) < count;) {
        state = state * 1664525u + 1013904223u;
        words.push_back(state);
    }
    return words;
}

uint32_t blendByChannel(uint32_t d, uint32_t s, uint32_t alpha) {
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t dc = (d >> shift) & 0xFF;
        const uint32_t sc = (s >> shift) & 0xFF;
        result |= (dc * (255 - alpha) / 256 + sc * (alpha + 1) / 256) << shift;
    }
    return result;
}

TEST(BlendWord, MatchesTheChannelFormulaForEveryOpacity) {
    const std::vector<uint32_t> words = sampleWords(600);
    for (uint32_t alpha = 0; alpha < 256; ++alpha) {
        for (size_t i = 0; i + 1 < words.size(); ++i) {
            ASSERT_EQ(draw::blendWord(words[i], words[i + 1], alpha),
                      blendByChannel(words[i], words[i + 1], alpha))
                << std::hex << words[i] << " " << words[i + 1] << " alpha " << alpha;
        }
    }
}

TEST(BlendRow, AgreesWithWordByWordAtEveryLengthAndOverlap) {
    const std::vector<uint32_t> words = sampleWords(64);
    for (int count = 0; count <= 13; ++count) {
        for (uint32_t alpha : {0u, 77u, 255u}) {
            std::vector<uint32_t> row(words.begin(), words.begin() + 32);
            std::vector<uint32_t> expected = row;
            for (int i = 0; i < count; ++i) {
                expected[i] = draw::blendWord(row[i], words[40 + i], alpha);
            }
            draw::blendRow(row.data(), words.data() + 40, count, alpha);
            ASSERT_EQ(row, expected) << "count " << count << " alpha " << alpha;
        }
    }
    // Blended onto itself a little to the right, each word sees the ones blended before it,
    // however many words the widest vector holds, with a constant opacity or a mask.
    const int mostOffset = static_cast<int>(draw::simd::kWidestVectorWords) + 1;
    for (int offset = 1; offset <= mostOffset; ++offset) {
        std::vector<uint32_t> row(words.begin(), words.begin() + 64);
        std::vector<uint32_t> masked = row;
        std::vector<uint32_t> expected = row;
        for (int i = 0; i < 40; ++i) {
            expected[i + offset] = draw::blendWord(expected[i + offset], expected[i], 99);
        }
        draw::blendRow(row.data() + offset, row.data(), 40, 99);
        ASSERT_EQ(row, expected) << "offset " << offset;

        const std::vector<uint32_t> mask(40, 99);
        draw::blendMaskedRow(masked.data() + offset, masked.data(), mask.data(), 40);
        ASSERT_EQ(masked, expected) << "masked, offset " << offset;
    }
}

TEST(ConstantBlend, OpacityExtremesAndOnlyTheLowByteCount) {
    TestPage page(8, 4);
    OwnedImage src = codedImage(8, 4);
    setbackcolor(0x00FF0180);
    putimage_alphablend(nullptr, src.get(), 0, 0, 0);
    EXPECT_EQ(countColor(page.image(), 0x00FE007F, 0, 0, 8, 4), 32);
    for (uint32_t opacity : {0xFFu, 0x1FFu}) {
        EXPECT_EQ(putimage_alphablend(nullptr, src.get(), 0, 0, opacity), 0);
        EXPECT_TRUE(matchesPicture(page.image(), positionCode, "blend_opacity_255"));
    }
}

// A blend as (xDest, yDest, xSrc, ySrc, width, height), with the destination pixels that must
// change and the offset of the source pixel each one takes.
struct ClipCase {
    int xDest, yDest, xSrc, ySrc, width, height;
    int left, top, right, bottom;
    int shiftX, shiftY;  // destination (x, y) takes source (x + shiftX, y + shiftY)
};

TEST(BlendClipping, PairsTheSamePixelsWhateverIsCutAway) {
    const ClipCase cases[] = {
        {-10, 5, 0, 0, 0, 0, 0, 5, 390, 205, 10, -5},            // off the left edge
        {500, 400, 0, 0, 0, 0, 500, 400, 640, 480, -500, -400},  // past right and bottom
        {100, 0, -10, 0, 50, 10, 110, 0, 150, 10, -110, 0},      // negative source origin
        {3, 4, 390, 195, 100, 100, 3, 4, 13, 9, 387, 191},       // past the source's corner
        {0, 0, 0, 0, 1000, 1000, 0, 0, 400, 200, 0, 0},          // larger than the source
        {0, 0, 0, 0, -5, 10, 0, 0, 0, 0, 0, 0},                  // negative width
        {0, 0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0},                    // height 0 with a width
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 0, 0, 0, 0, 0, 0},
        {INT_MAX, INT_MAX, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 0, 0, 0, 0},
        {INT_MIN, 0, INT_MIN, 0, INT_MAX, INT_MAX, 0, 0, 0, 0, 0, 0},
        {-1, -1, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 0, 0, 0, 0},
    };
    TestPage page(640, 480);
    OwnedImage src = codedImage(400, 200);
    setbackcolor(kBlank);
    for (const ClipCase& c : cases) {
        clearimage();
        src->putimage_alphablend(nullptr, c.xDest, c.yDest, 255, c.xSrc, c.ySrc, c.width, c.height);
        EXPECT_TRUE(matchesPicture(
            page.image(),
            [&](int x, int y) {
                const bool inside = x >= c.left && x < c.right && y >= c.top && y < c.bottom;
                return inside ? positionCode(x + c.shiftX, y + c.shiftY) : kBlank;
            },
            "blend_clip"))
            << "case at " << c.xDest << ", " << c.yDest;
    }
    EXPECT_EQ(page.image()->pixels[480 * 640], 0u);  // the spare row
}

TEST(MaskedBlend, ZeroWordsKeepTheDestinationAndLowBytesAreTheOpacity) {
    TestPage page(4, 1);
    setbackcolor(0x00808080);
    OwnedImage src(newimage(4, 1));
    setbackcolor(0x00FF00FF, src.get());
    OwnedImage mask(newimage(4, 1));
    const RGBVAL maskWords[4] = {0, 0x100, 0xFF, 0xFF000040};
    std::copy(maskWords, maskWords + 4, mask->pixels);

    EXPECT_EQ(src->putimage_alphablend(nullptr, 0, 0, mask.get(), 0, 0, 0, 0), 0);
    const std::vector<RGBVAL> expected = {0x00808080, blendByChannel(0x808080, 0xFF00FF, 0),
                                          0x00FF00FF, blendByChannel(0x808080, 0xFF00FF, 0x40)};
    EXPECT_EQ(pixelsOf(page.image()), expected);
}

TEST(MaskedBlend, StopsAtTheEdgesOfASmallerMask) {
    TestPage page(40, 30);
    setbackcolor(kBlank);
    OwnedImage src = codedImage(40, 30);
    OwnedImage mask(newimage(12, 9));
    setbackcolor(0xFF, mask.get());
    // The mask is read at the source position: from (5, 3) on, 7 x 6 words are left.
    src->putimage_alphablend(nullptr, 20, 10, mask.get(), 5, 3, 0, 0);
    EXPECT_TRUE(matchesPicture(
        page.image(),
        [](int x, int y) {
            return x >= 20 && x < 27 && y >= 10 && y < 16 ? positionCode(x - 15, y - 7) : kBlank;
        },
        "masked_blend_small_mask"));
}

TEST(Blends, IgnoreViewportsWhilePutimageFollowsTheDestinationOrigin) {
    TestPage page(60, 40);
    OwnedImage src = codedImage(10, 10);
    setdrawarea(20, 10, 60, 40, 1);
    setdrawarea(3, 3, 10, 10, 1, src.get());
    setbackcolor(kBlank);
    putimage_alphablend(nullptr, src.get(), 5, 5, 255, 2, 1, 1, 1);
    src->putimage(nullptr, 5, 5, 1, 1, -1, -2, SRCCOPY);
    EXPECT_EQ(page.image()->pixels[5 * 60 + 5], positionCode(2, 1));
    EXPECT_EQ(page.image()->pixels[15 * 60 + 25], kCodeTop | positionCode(2, 1));
    EXPECT_EQ(countColor(page.image(), kBlank, 0, 0, 60, 40), 60 * 40 - 2);
}

}  // namespace
