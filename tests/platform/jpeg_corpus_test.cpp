// The pictures of the fuzz corpus, which span what JPEG decoders disagree on: colour spaces,
// sampling, progressive and arithmetic coding, restart markers, truncation and claimed sizes.
// Every platform's decoder must load or refuse each of them alike, at the same size and in
// about the same colours.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/test_page.h"

namespace {

constexpr int kNotAPicture = -12;

struct Expected {
    const char* file;
    int result;
    int width = 0;
    int height = 0;
    RGBVAL average = 0;  // the mean of each channel over the picture
};

// Measured with libjpeg-turbo on Linux.
const Expected kExpected[] = {
    {"arithmetic_16x16.jpg", 0, 16, 16, 0x7B8483},
    {"arithmetic_progressive_24x16.jpg", 0, 24, 16, 0x7A8282},
    {"claims_16384_baseline.jpg", kNotAPicture},
    {"claims_16384_progressive.jpg", kNotAPicture},
    {"claims_16385_wide.jpg", kNotAPicture},
    {"claims_65535_arithmetic.jpg", kNotAPicture},
    {"cmyk_adobe_8x8.jpg", 0, 8, 8, 0x393A3E},
    {"cmyk_plain_8x8.jpg", 0, 8, 8, 0x423138},
    {"grey_17x9.jpg", 0, 17, 9, 0x777777},
    {"grey_1x1.jpg", 0, 1, 1, 0x000000},
    {"markers_8x8.jpg", 0, 8, 8, 0x708688},
    {"optimized_422_40x8.jpg", 0, 40, 8, 0x7D8080},
    {"progressive_24x16.jpg", 0, 24, 16, 0x7A8282},
    {"restart_32x16.jpg", 0, 32, 16, 0x7C8080},
    {"rgb_420_16x16.jpg", 0, 16, 16, 0x7B8483},
    {"rgb_444_3x5.jpg", 0, 3, 5, 0x66978A},
    {"sampled_411_32x8.jpg", 0, 32, 8, 0x7B807E},
    {"truncated_16x16.jpg", kNotAPicture},
    {"ycck_8x8.jpg", 0, 8, 8, 0x313D3B},
};

std::vector<char> fileBytes(const std::string& name) {
    std::ifstream in(std::string(TRIVANTA_SOURCE_DIR) + "/tests/fuzz/corpus/getimage/" + name,
                     std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

RGBVAL averageColour(PIMAGE img) {
    const int count = imagewidth(img) * imageheight(img);
    RGBVAL average = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int64_t sum = 0;
        for (int i = 0; i < count; ++i)
            sum += (img->pixels[i] >> shift) & 0xFF;
        average |= static_cast<RGBVAL>(sum / count) << shift;
    }
    return average;
}

bool near(RGBVAL a, RGBVAL b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance)
            return false;
    }
    return true;
}

TEST(JpegCorpus, EveryPictureLoadsOrIsRefusedAsOnEveryPlatform) {
    TestPage page(8, 8);
    for (const Expected& expected : kExpected) {
        SCOPED_TRACE(expected.file);
        const std::vector<char> bytes = fileBytes(expected.file);
        ASSERT_FALSE(bytes.empty());
        PIMAGE img = newimage(2, 2);
        EXPECT_EQ(img->getimage(bytes.data(), bytes.size()), expected.result);
        if (expected.result == 0) {
            EXPECT_EQ(imagewidth(img), expected.width);
            EXPECT_EQ(imageheight(img), expected.height);
            EXPECT_TRUE(near(averageColour(img), expected.average, 6))
                << std::hex << averageColour(img) << " for " << expected.average;
        } else {
            EXPECT_EQ(imagewidth(img), 2);  // a picture that fails leaves the image as it was
        }
        freeimage(img);
    }
}

}  // namespace
