// Clearing, filled bars and reading pixels back.
#include <algorithm>

#include "draw/image_arg.h"
#include "draw/page_lock.h"
#include "draw/raster.h"
#include "runtime/graph.h"

using draw::Counts;

void clearimage(PIMAGE arg) {
    PIMAGE img = draw::drawableImage(arg, Counts::Yes);
    if (img == nullptr)
        return;
    const auto guard = draw::lockIfPage(img);
    // The whole image, whatever the drawing area says; the spare row stays as it is.
    std::fill_n(img->pixels, static_cast<size_t>(img->width) * img->height, img->bkcolor);
}

void fillbar(int left, int top, int right, int bottom, PIMAGE arg) {
    PIMAGE img = draw::drawableImage(arg, Counts::Yes);
    if (img == nullptr)
        return;
    const draw::DrawContext& dc = *img->dc;
    const draw::Rect bar = draw::deviceRect(dc, left, top, right, bottom);
    const auto guard = draw::lockIfPage(img, bar);
    draw::fillWithBrush(*img, bar, dc.brush, dc.bkcolor);
}

RGBVAL readpixel(int x, int y, PIMAGE arg) {
    PIMAGE img = draw::resolveImage(arg, Counts::No);
    if (img == nullptr || img->pixels == nullptr)
        return 0;
    const int64_t px = int64_t{x} + img->viewport[0];
    const int64_t py = int64_t{y} + img->viewport[1];
    if (px < 0 || py < 0 || px >= img->width || py >= img->height)
        return 0;
    return draw::pixelRow(*img, static_cast<int>(py))[px];
}
