// Loading JPEG pictures from memory. The pictures are encoded here, so no binary test data is
// kept in the tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>  // jpeglib.h expects FILE to be declared
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include "tests/support/pixels.h"
#include "tests/support/test_page.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr int kNotAPicture = -12;

// The test picture: four flat quadrants, each covering whole 16 x 16 blocks so that the
// encoding keeps the colours close.
constexpr int kWidth = 64;
constexpr int kHeight = 32;
constexpr RGBVAL kQuadrants[4] = {0xE02010, 0x20C040, 0x1030D0, 0xF0F0F0};

RGBVAL quadrantAt(int x, int y) {
    return kQuadrants[(y >= kHeight / 2) * 2 + (x >= kWidth / 2)];
}

// Encodes samples of `components` bytes per pixel, rows of `width` pixels top-down. A colour
// space left at JCS_UNKNOWN takes libjpeg's default for the input.
Bytes encode(const Bytes& samples, int width, J_COLOR_SPACE input, int components,
             J_COLOR_SPACE stored = JCS_UNKNOWN) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = width;
    info.image_height = samples.size() / (width * components);
    info.input_components = components;
    info.in_color_space = input;
    jpeg_set_defaults(&info);
    if (stored != JCS_UNKNOWN)
        jpeg_set_colorspace(&info, stored);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto* row = const_cast<JSAMPROW>(samples.data() + info.next_scanline * width * components);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    Bytes bytes(out, out + size);
    jpeg_destroy_compress(&info);
    std::free(out);
    return bytes;
}

// The quadrant picture in the given colour space, each pixel's samples made from its colour.
template <typename Samples>
Bytes quadrantSamples(Samples samplesOf) {
    Bytes samples;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const auto pixel = samplesOf(quadrantAt(x, y));
            samples.insert(samples.end(), pixel.begin(), pixel.end());
        }
    }
    return samples;
}

uint8_t channel(RGBVAL c, int shift) {
    return static_cast<uint8_t>(c >> shift);
}

Bytes rgbPicture() {
    const Bytes samples = quadrantSamples([](RGBVAL c) {
        return std::array<uint8_t, 3>{channel(c, 16), channel(c, 8), channel(c, 0)};
    });
    return encode(samples, kWidth, JCS_RGB, 3);
}

// Whether every channel of a is within `tolerance` of b's.
bool near(RGBVAL a, RGBVAL b, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(int{channel(a, shift)} - int{channel(b, shift)}) > tolerance)
            return false;
    }
    return true;
}

// Checks the picture's size and that each quadrant's middle has about its colour (grey(c) says
// what colour c turns into), and that every top byte is 0.
template <typename Expect>
void expectQuadrants(PIMAGE img, Expect grey) {
    ASSERT_EQ(imagewidth(img), kWidth);
    ASSERT_EQ(imageheight(img), kHeight);
    for (int y = kHeight / 4; y < kHeight; y += kHeight / 2) {
        for (int x = kWidth / 4; x < kWidth; x += kWidth / 2) {
            const RGBVAL want = grey(quadrantAt(x, y));
            EXPECT_TRUE(near(readpixel(x, y, img), want, 6))
                << std::hex << readpixel(x, y, img) << " for " << want << " at " << std::dec << x
                << ", " << y;
        }
    }
    for (RGBVAL word : pixelsOf(img))
        ASSERT_EQ(word >> 24, 0u);
}

RGBVAL same(RGBVAL c) {
    return c;
}

TEST(GetImage, LoadsAPictureAtItsSizeAndKeepsTheDrawingState) {
    TestPage page(8, 8);
    PIMAGE img = newimage(5, 5);
    setpencolor(0x123456, img);
    setdrawarea(1, 1, 4, 4, 1, img);
    const Bytes picture = rgbPicture();
    EXPECT_EQ(img->getimage(picture.data(), picture.size()), 0);
    expectQuadrants(img, same);
    EXPECT_EQ(getpencolor(img), 0x123456u);
    // The drawing area is the whole picture again, as after any resize.
    EXPECT_EQ(img->viewport[2], kWidth);
    freeimage(img);
}

TEST(GetImage, ConvertsGreyAndCmykPictures) {
    TestPage page(8, 8);
    PIMAGE img = newimage();
    const auto greyOf = [](RGBVAL c) { return channel(c, 8) * 0x010101u; };
    const Bytes grey = encode(
        quadrantSamples([&](RGBVAL c) { return std::array<uint8_t, 1>{channel(greyOf(c), 0)}; }),
        kWidth, JCS_GRAYSCALE, 1);
    EXPECT_EQ(img->getimage(grey.data(), grey.size()), 0);
    expectQuadrants(img, greyOf);

    // Inks stored inverted (255 is no ink), as pictures with the Adobe marker hold them; black
    // takes the darkest share so that the three colour inks still carry the colour.
    const Bytes inks = quadrantSamples([](RGBVAL c) {
        const uint8_t light = std::max({channel(c, 16), channel(c, 8), channel(c, 0)});
        const auto ink = [&](uint8_t v) { return static_cast<uint8_t>(v * 255 / light); };
        return std::array<uint8_t, 4>{ink(channel(c, 16)), ink(channel(c, 8)), ink(channel(c, 0)),
                                      light};
    });
    for (J_COLOR_SPACE stored : {JCS_CMYK, JCS_YCCK}) {
        const Bytes cmyk = encode(inks, kWidth, JCS_CMYK, 4, stored);
        EXPECT_EQ(img->getimage(cmyk.data(), cmyk.size()), 0) << "colour space " << stored;
        expectQuadrants(img, same);
    }
    freeimage(img);
}

TEST(GetImage, RefusesPicturesWiderOrTallerThan16384) {
    TestPage page(8, 8);
    PIMAGE img = newimage(3, 3);
    for (int side : {16384, 16385}) {
        const Bytes wide =
            encode(Bytes(static_cast<size_t>(side) * 8, 0x80), side, JCS_GRAYSCALE, 1);
        const Bytes tall = encode(Bytes(static_cast<size_t>(side) * 8, 0x80), 8, JCS_GRAYSCALE, 1);
        const int expected = side <= 16384 ? 0 : kNotAPicture;
        EXPECT_EQ(img->getimage(wide.data(), wide.size()), expected) << side;
        EXPECT_EQ(img->getimage(tall.data(), tall.size()), expected) << side;
    }
    EXPECT_EQ(imagewidth(img), 8);
    EXPECT_EQ(imageheight(img), 16384);
    freeimage(img);
}

// Where the first marker with this code stands.
size_t markerAt(const Bytes& bytes, unsigned char code) {
    for (size_t i = 0; i + 1 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == code)
            return i;
    }
    return bytes.size();
}

// Where the compressed data begins: after the scan header and its length field.
size_t scanData(const Bytes& bytes) {
    const size_t scan = markerAt(bytes, 0xDA);
    return scan + 2 + (bytes[scan + 2] << 8 | bytes[scan + 3]);
}

// Overwrites the bytes from `at` on with `patch`.
Bytes corrupted(Bytes bytes, size_t at, const Bytes& patch) {
    for (size_t i = 0; i < patch.size() && at + i < bytes.size(); ++i)
        bytes[at + i] = patch[i];
    return bytes;
}

// A copy whose frame header claims another size.
Bytes claimingSize(const Bytes& bytes, int width, int height) {
    const size_t frame = markerAt(bytes, 0xC0);
    return corrupted(bytes, frame + 5,
                     {static_cast<unsigned char>(height >> 8), static_cast<unsigned char>(height),
                      static_cast<unsigned char>(width >> 8), static_cast<unsigned char>(width)});
}

TEST(GetImage, BytesThatDoNotLoadLeaveTheImageExactlyAsItWas) {
    TestPage page(8, 8);
    PIMAGE img = newimage(7, 3);
    setbackcolor(0x00ABCDEF, img);
    setdrawarea(1, 1, 5, 2, 0, img);
    const std::vector<RGBVAL> pixelsBefore = pixelsOf(img);

    const Bytes picture = rgbPicture();
    Bytes random(2000);
    uint32_t state = 99;
    for (unsigned char& byte : random)
        byte = static_cast<unsigned char>((state = state * 69069 + 1) >> 24);
    const size_t data = scanData(picture);
    const std::vector<Bytes> failures = {
        {},
        random,
        Bytes(picture.begin(), picture.begin() + 20),            // headers only
        Bytes(picture.begin(), picture.begin() + data + 10),     // cut inside the data
        Bytes(picture.begin(), picture.end() - 2),               // no end marker
        corrupted(picture, data + 4, {0xFF, 0x00, 0xFF, 0x00}),  // codes no table has
        corrupted(picture, data + 4, {0xFF, 0xD9}),              // a marker inside the data
        corrupted(picture, 2, {0x00, 0x1F}),                     // no marker after the first
        claimingSize(picture, 20000, 20000),
    };
    EXPECT_EQ(img->getimage(nullptr, 100), kNotAPicture);
    for (size_t i = 0; i < failures.size(); ++i) {
        EXPECT_EQ(img->getimage(failures[i].data(), failures[i].size()), kNotAPicture)
            << "case " << i;
        EXPECT_EQ(pixelsOf(img), pixelsBefore) << "case " << i;
        EXPECT_EQ(std::vector<int>(img->viewport, img->viewport + 4),
                  (std::vector<int>{1, 1, 5, 2}));
        EXPECT_EQ(img->viewportclip, 0);
    }
    freeimage(img);
}

}  // namespace
