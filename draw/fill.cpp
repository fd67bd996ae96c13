// Clearing, filled bars and reading pixels back.
#include <cassert>

#include "draw/draw_context.h"
#include "draw/page_lock.h"
#include "draw/primitives.h"
#include "draw/raster.h"

namespace draw {

void clear(Image& img) {
    assert(img.dc != nullptr);
    const auto guard = lockIfPage(img);
    // The whole image, whatever the drawing area says; the spare row stays as it is.
    fillSolid(img, wholeImage(img), img.bkcolor);
}

void fillBar(Image& img, int left, int top, int right, int bottom) {
    assert(img.dc != nullptr);
    const DrawContext& dc = *img.dc;
    const Rect bar = deviceRect(dc, left, top, right, bottom);
    const auto guard = lockIfPage(img, bar);
    fillWithBrush(img, bar, dc.brush, dc.bkcolor);
}

RGBVAL readPixel(const Image& img, int x, int y) {
    if (img.pixels == nullptr)
        return 0;
    const int64_t px = int64_t{x} + img.viewport[0];
    const int64_t py = int64_t{y} + img.viewport[1];
    if (px < 0 || py < 0 || px >= img.width || py >= img.height)
        return 0;
    return sourceRow(img, py)[px];
}

}  // namespace draw
