#include "tests/support/pixels.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace {

void writePpm(const std::string& path, int width, int height,
              const std::function<RGBVAL(int, int)>& pixel) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const RGBVAL c = pixel(x, y);
            const unsigned char rgb[3] = {static_cast<unsigned char>(c >> 16),
                                          static_cast<unsigned char>(c >> 8),
                                          static_cast<unsigned char>(c)};
            std::fwrite(rgb, 1, 3, file);
        }
    }
    std::fclose(file);
}

}  // namespace

std::vector<RGBVAL> pixelsOf(PIMAGE img) {
    std::vector<RGBVAL> out;
    const int width = imagewidth(img);
    const int height = imageheight(img);
    out.reserve(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            out.push_back(img->pixels[y * width + x]);
    }
    return out;
}

::testing::AssertionResult matchesPicture(PIMAGE img,
                                          const std::function<RGBVAL(int x, int y)>& expected,
                                          const std::string& name) {
    const int width = imagewidth(img);
    const int height = imageheight(img);
    std::ostringstream diffs;
    int mismatches = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const RGBVAL actual = img->pixels[y * width + x];
            const RGBVAL want = expected(x, y);
            if (actual == want)
                continue;
            if (++mismatches <= 5) {
                diffs << " (" << x << ", " << y << "): 0x" << std::hex << actual << " not 0x"
                      << want << std::dec << ";";
            }
        }
    }
    if (mismatches == 0)
        return ::testing::AssertionSuccess();
    const std::filesystem::path dir = TRIVANTA_TEST_OUTPUT_DIR;
    std::filesystem::create_directories(dir);
    writePpm((dir / (name + ".actual.ppm")).string(), width, height,
             [&](int x, int y) { return img->pixels[y * width + x]; });
    writePpm((dir / (name + ".expected.ppm")).string(), width, height, expected);
    return ::testing::AssertionFailure()
           << mismatches << " pixels differ, first:" << diffs.str() << " pictures in " << dir;
}

int countColor(PIMAGE img, RGBVAL color, int left, int top, int right, int bottom) {
    const int width = imagewidth(img);
    const int height = imageheight(img);
    int count = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, height); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, width); ++x) {
            if (img->pixels[y * width + x] == color)
                ++count;
        }
    }
    return count;
}
