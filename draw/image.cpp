// Making, resizing and copying images.
#include "draw/image.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "draw/draw_context.h"
#include "draw/page_lock.h"
#include "draw/primitives.h"
#include "draw/state.h"

namespace draw {

namespace {

// The largest store we hand out, in words (spare row included): 2 GiB. Larger requests fail as
// if memory had run out, rather than overflow a size computation.
constexpr int64_t kMaxStoreWords = int64_t{1} << 29;

constexpr RGBVAL kDefaultPenColor = 0xA8A8A8;

PixelStore allocateStore(int width, int height) {
    const int64_t words = int64_t{width} * (int64_t{height} + 1);
    if (words > kMaxStoreWords)
        return nullptr;
    return PixelStore(static_cast<uint32_t*>(std::calloc(static_cast<size_t>(words), 4)));
}

// The drawing state every image starts with.
void applyDefaults(Image& img) {
    setPenColor(img, kDefaultPenColor);
    setBackColorKeep(img, 0x000000);  // nothing is drawn yet
    setBrushPattern(img, 1, 0x000000);
    setPenStyle(img, kPenSolid, 0, 1);
    setTextAnchor(img, 0, 2);
}

}  // namespace

Image::Image() = default;
Image::~Image() = default;

int createImage(Image& img, int width, int height) {
    std::memset(img.viewport, 0, sizeof img.viewport);
    img.viewportclip = 0;
    if (width < 1 || height < 1)
        return EINVAL;

    PixelStore store = allocateStore(width, height);
    if (store == nullptr)
        return ENOMEM;
    const bool firstCreation = img.dc == nullptr;
    if (firstCreation) {
        img.dc.reset(new (std::nothrow) DrawContext());
        if (img.dc == nullptr)
            return ENOMEM;
    }
    {
        const auto guard = lockIfPage(img, Rect{0, 0, width, height});
        img.pixels = store.get();
        img.bitmap = std::move(store);
        img.width = width;
        img.height = height;
    }
    if (firstCreation)
        applyDefaults(img);
    setDrawArea(img, 0, 0, width, height, 1);
    // The fresh store is already black; only another background colour is filled in.
    if (img.bkcolor != 0x000000)
        clear(img);
    return 0;
}

void copyPixels(Image& to, const Image& from) {
    const auto guard = lockIfPage(to);
    std::memcpy(to.pixels, from.pixels,
                sizeof(uint32_t) * static_cast<size_t>(to.width) * static_cast<size_t>(to.height));
}

}  // namespace draw
