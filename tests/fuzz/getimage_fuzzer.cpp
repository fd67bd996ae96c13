// Arbitrary bytes loaded as a JPEG held in memory with IMAGE::getimage: every input must either
// load as a picture of an allowed size whose words keep their top byte clear, or be refused with
// the image left as it was.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/jpeg.h"
#include "runtime/graph.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// Arithmetic-coded frames need no minimum number of bits per block: a few bytes can describe a
// picture of any size the decoder allows, and decoding a gigapixel takes seconds and gigabytes
// whatever the code around it does. Those above this many pixels are left out. Huffman-coded
// frames need at least one bit per block of some component, so the input length bounds them.
constexpr int64_t kArithmeticPixelBudget = int64_t{1} << 22;

constexpr uint8_t kMarkerStart = 0xFF;
constexpr uint8_t kStartOfImage = 0xD8;

struct FrameSize {
    bool arithmetic = false;
    int64_t pixels = 0;
};

// Markers that stand alone, without a length: the restart markers and TEM.
bool standsAlone(uint8_t marker) {
    return (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01;
}

// The start-of-frame markers: 0xC0 to 0xCF less DHT (C4), JPG (C8) and DAC (CC).
bool startsFrame(uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The size the first frame header claims, reading the marker segments from the start of the
// image as the decoder does. Nothing when the bytes do not get that far; the decoder then
// refuses them itself.
std::optional<FrameSize> firstFrame(const uint8_t* data, size_t size) {
    if (size < 2 || data[0] != kMarkerStart || data[1] != kStartOfImage)
        return std::nullopt;
    size_t at = 2;
    while (at < size && data[at] == kMarkerStart) {
        while (at < size && data[at] == kMarkerStart)
            ++at;  // fill bytes
        if (at + 2 >= size)
            return std::nullopt;
        const uint8_t marker = data[at++];
        if (standsAlone(marker))
            continue;
        const size_t length = size_t{data[at]} << 8 | data[at + 1];
        if (startsFrame(marker)) {
            if (at + 7 > size)
                return std::nullopt;
            const int64_t height = data[at + 3] << 8 | data[at + 4];
            const int64_t width = data[at + 5] << 8 | data[at + 6];
            return FrameSize{marker >= 0xC9, width * height};
        }
        // The decoder reads the length and skips what it gives beyond itself, if anything.
        at += std::max<size_t>(length, 2);
    }
    return std::nullopt;
}

bool topBytesClear(const IMAGE& img) {
    const size_t count = static_cast<size_t>(img.width) * static_cast<size_t>(img.height);
    for (size_t i = 0; i < count; ++i) {
        if ((img.pixels[i] >> 24) != 0)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (const auto frame = firstFrame(data, size);
        frame && frame->arithmetic && frame->pixels > kArithmeticPixelBudget) {
        return -1;  // not kept in the corpus
    }
    PIMAGE img = newimage();
    const RGBVAL background = img->pixels[0];
    switch (img->getimage(data, size)) {
        case 0:
            expect(img->width >= 1 && img->width <= platform::kMaxJpegSide,
                   "a loaded picture is 1 to kMaxJpegSide wide");
            expect(img->height >= 1 && img->height <= platform::kMaxJpegSide,
                   "a loaded picture is 1 to kMaxJpegSide tall");
            expect(topBytesClear(*img), "a loaded picture's words have their top byte clear");
            break;
        case -12:  // not a loadable picture
        case 21:   // no memory
            expect(img->width == 1 && img->height == 1 && img->pixels[0] == background,
                   "a refused picture leaves the image as it was");
            break;
        default:
            expect(false, "getimage returns 0, -12 or 21");
    }
    freeimage(img);
    return 0;
}
