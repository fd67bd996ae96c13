// Pixel writers behind the primitives. Callers must do clipping: every rectangle and span given
// here lies inside the image.
#pragma once

#include <cassert>
#include <cstdint>

#include "draw/draw_context.h"
#include "draw/image.h"

namespace draw {

// Row y of an image, which lies inside it.
inline uint32_t* pixelRow(Image& img, int y) {
    assert(y >= 0 && y < img.height);
    return img.pixels + static_cast<size_t>(y) * static_cast<size_t>(img.width);
}

// Row y of an image that is only read.
inline const uint32_t* sourceRow(const Image& img, int64_t y) {
    assert(y >= 0 && y < img.height);
    return img.pixels + static_cast<size_t>(y) * static_cast<size_t>(img.width);
}

// Whether a rectangle lies wholly inside the image, as every writer here expects.
inline bool insideImage(const Image& img, const Rect& rect) {
    return rect.empty() || (rect.left >= 0 && rect.top >= 0 && rect.right <= img.width &&
                            rect.bottom <= img.height);
}

// Fills a clipped rectangle with one colour.
void fillSolid(Image& img, const Rect& rect, RGBVAL color);

// Fills a clipped rectangle with a brush: a solid colour, or hatch lines in the brush colour on
// the background colour, the hatch aligned to the image's own pixel grid.
void fillWithBrush(Image& img, const Rect& rect, const Brush& brush, RGBVAL background);

// The rectangle (left, top)-(right, bottom), given relative to the drawing-area origin, in
// image pixels and cut at the clip rectangle.
Rect deviceRect(const DrawContext& dc, int64_t left, int64_t top, int64_t right, int64_t bottom);

}  // namespace draw
