// The constant and the masked alpha blend. Both address the pixel stores directly: (0, 0) is
// the top-left pixel of each store, whatever drawing area either image has.
#include "draw/blend.h"

#include <algorithm>

#include "draw/page_lock.h"

namespace draw {

namespace {

// One axis of a blend rectangle: `length` positions from `dest` of the destination and `src`
// of the source.
struct Span {
    int64_t dest;
    int64_t src;
    int64_t length;
};

// Cuts a span to both stores. A negative source origin moves the destination origin along with
// it, and a negative destination origin the source origin, so that what remains still pairs
// the same pixels.
Span clipSpan(Span span, int64_t destSize, int64_t srcSize) {
    span.length = std::min(span.length, srcSize);
    if (span.src < 0) {
        span.length += span.src;
        span.dest -= span.src;
        span.src = 0;
    }
    if (span.dest < 0) {
        span.length += span.dest;
        span.src -= span.dest;
        span.dest = 0;
    }
    span.length = std::min(span.length, destSize - span.dest);
    span.length = std::min(span.length, srcSize - span.src);
    return span;
}

// The masked blend reads the mask at the source position; where the mask is smaller than the
// clipped rectangle, the rectangle shrinks to it rather than read past the mask's store.
std::optional<BlendRect> clipToMask(BlendRect rect, const Image& mask) {
    rect.width = std::min(rect.width, mask.width - rect.xSrc);
    rect.height = std::min(rect.height, mask.height - rect.ySrc);
    if (rect.width <= 0 || rect.height <= 0)
        return std::nullopt;
    return rect;
}

uint32_t* wordAt(const Image& img, int x, int y) {
    return img.pixels + static_cast<size_t>(y) * static_cast<size_t>(img.width) + x;
}

void blendRect(Image& dst, const Image& src, const BlendRect& rect, uint32_t alpha) {
    uint32_t* d = wordAt(dst, rect.xDest, rect.yDest);
    const uint32_t* s = wordAt(src, rect.xSrc, rect.ySrc);
    for (int row = 0; row < rect.height; ++row, d += dst.width, s += src.width) {
        blendRow(d, s, rect.width, alpha);
    }
}

void blendMaskedRect(Image& dst, const Image& src, const Image& mask, const BlendRect& rect) {
    uint32_t* d = wordAt(dst, rect.xDest, rect.yDest);
    const uint32_t* s = wordAt(src, rect.xSrc, rect.ySrc);
    const uint32_t* m = wordAt(mask, rect.xSrc, rect.ySrc);
    for (int row = 0; row < rect.height; ++row, d += dst.width, s += src.width, m += mask.width) {
        blendMaskedRow(d, s, m, rect.width);
    }
}

}  // namespace

std::optional<BlendRect> clipBlend(const Image& dst, const Image& src, int xDest, int yDest,
                                   int xSrc, int ySrc, int width, int height) {
    if (width == 0) {
        width = src.width;
        height = src.height;
    }
    const Span across = clipSpan({xDest, xSrc, width}, dst.width, src.width);
    const Span down = clipSpan({yDest, ySrc, height}, dst.height, src.height);
    if (across.length <= 0 || down.length <= 0)
        return std::nullopt;
    // Every value now lies inside a store, so it fits an int again.
    return BlendRect{static_cast<int>(across.dest),   static_cast<int>(down.dest),
                     static_cast<int>(across.src),    static_cast<int>(down.src),
                     static_cast<int>(across.length), static_cast<int>(down.length)};
}

void blendConstant(Image& dst, const Image& src, int xDest, int yDest, uint32_t alpha, int xSrc,
                   int ySrc, int width, int height) {
    if (auto rect = clipBlend(dst, src, xDest, yDest, xSrc, ySrc, width, height)) {
        const auto guard = lockIfPage(dst, rect->destination());
        blendRect(dst, src, *rect, alpha & 0xFF);
    }
}

void blendMasked(Image& dst, const Image& src, const Image& mask, int xDest, int yDest, int xSrc,
                 int ySrc, int width, int height) {
    auto rect = clipBlend(dst, src, xDest, yDest, xSrc, ySrc, width, height);
    if (rect)
        rect = clipToMask(*rect, mask);
    if (rect) {
        const auto guard = lockIfPage(dst, rect->destination());
        blendMaskedRect(dst, src, mask, *rect);
    }
}

}  // namespace draw
