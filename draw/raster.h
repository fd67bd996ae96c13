// Pixel writers behind the primitives. Callers must do clipping: every rectangle and span given
// here lies inside the image.
#pragma once

#include <cstdint>

#include "draw/draw_context.h"
#include "draw/image.h"
#include "draw/rect.h"

namespace draw {

inline uint32_t* pixelRow(IMAGE& img, int y) {
    return img.pixels + static_cast<size_t>(y) * static_cast<size_t>(img.width);
}

// Fills a clipped rectangle with one colour.
void fillSolid(IMAGE& img, const Rect& rect, RGBVAL color);

// Fills a clipped rectangle with a brush: a solid colour, or hatch lines in the brush colour on
// the background colour, the hatch aligned to the image's own pixel grid.
void fillWithBrush(IMAGE& img, const Rect& rect, const Brush& brush, RGBVAL background);

// The rectangle (left, top)-(right, bottom), given relative to the drawing-area origin, in
// image pixels and cut at the clip rectangle.
Rect deviceRect(const DrawContext& dc, int64_t left, int64_t top, int64_t right, int64_t bottom);

}  // namespace draw
