#include "draw/raster.h"

#include "draw/simd/span_kernels.h"

namespace draw {

namespace {

// Whether the hatch has a line through image pixel (x, y); the pattern repeats every 8 pixels.
bool hatchCovers(int hatch, int x, int y) {
    const int col = x & 7;
    const int row = y & 7;
    switch (hatch) {
        case kHatchVertical:
            return col == 0;
        case kHatchFalling:
            return col == row;
        case kHatchRising:
            return col == 7 - row;
        case kHatchCross:
            return col == 0 || row == 0;
        case kHatchDiagonalCross:
            return col == row || col == 7 - row;
        default:
            return true;
    }
}

}  // namespace

void fillSolid(Image& img, const Rect& rect, RGBVAL color) {
    assert(insideImage(img, rect));
    if (rect.empty())
        return;
    const simd::SpanKernels& loops = simd::spanKernels();
    // Whole rows lie one after another in the store: one span.
    if (rect.width() == img.width) {
        loops.fill(pixelRow(img, rect.top), static_cast<size_t>(img.width) * rect.height(), color);
        return;
    }
    loops.fillRows(pixelRow(img, rect.top) + rect.left, static_cast<size_t>(rect.width()),
                   static_cast<size_t>(rect.height()), static_cast<size_t>(img.width), color);
}

void fillWithBrush(Image& img, const Rect& rect, const Brush& brush, RGBVAL background) {
    assert(insideImage(img, rect));
    if (brush.hatch == kHatchNone) {
        fillSolid(img, rect, brush.color);
        return;
    }
    for (int y = rect.top; y < rect.bottom; ++y) {
        // One period of the row's pattern, then repeated across the row.
        RGBVAL period[8];
        for (int i = 0; i < 8; ++i) {
            period[i] = hatchCovers(brush.hatch, i, y) ? brush.color : background;
        }
        uint32_t* row = pixelRow(img, y);
        for (int x = rect.left; x < rect.right; ++x)
            row[x] = period[x & 7];
    }
}

Rect deviceRect(const DrawContext& dc, int64_t left, int64_t top, int64_t right, int64_t bottom) {
    return clipRect(left + dc.originx, top + dc.originy, right + dc.originx, bottom + dc.originy,
                    dc.clip);
}

}  // namespace draw
