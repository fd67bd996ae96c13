// Raster-operation transfers at the same size.
#include "draw/transfer.h"

#include <cassert>
#include <cstring>

#include "draw/draw_context.h"
#include "draw/page_lock.h"
#include "draw/raster.h"
#include "draw/rop.h"

namespace draw {

int transfer(Image& dst, int xDest, int yDest, int width, int height, const Image& src, int xSrc,
             int ySrc, uint32_t rop) {
    assert(dst.dc != nullptr && src.dc != nullptr);
    const DrawContext& to = *dst.dc;
    const int64_t left = int64_t{xDest} + to.originx;
    const int64_t top = int64_t{yDest} + to.originy;
    // Destination pixel (x, y) takes source pixel (x + shiftX, y + shiftY).
    const int64_t shiftX = int64_t{xSrc} + src.dc->originx - left;
    const int64_t shiftY = int64_t{ySrc} + src.dc->originy - top;
    Rect area = clipRect(left, top, left + width, top + height, to.clip);
    area = clipRect(-shiftX, -shiftY, src.width - shiftX, src.height - shiftY, area);
    if (area.empty())
        return kTransferred;

    const RasterOp op(rop, dst);
    const auto guard = lockIfPage(dst, area);
    // Whole rows of two images of one width lie one after another in both stores, so a plain copy
    // of them is one run of words; memmove, as combineRow's copy, also moves an image along
    // itself.
    const bool wholeRows = area.width() == dst.width && src.width == dst.width && shiftX == 0;
    if (op.copiesSource() && wholeRows) {
        std::memmove(pixelRow(dst, area.top), sourceRow(src, area.top + shiftY),
                     sizeof(uint32_t) * static_cast<size_t>(area.width()) * area.height());
        return kTransferred;
    }
    // Moving an image down along itself walks the rows bottom-up, so that every source row is
    // read before it is overwritten.
    const bool bottomUp = &dst == &src && shiftY < 0;
    for (int i = 0; i < area.height(); ++i) {
        const int y = bottomUp ? area.bottom - 1 - i : area.top + i;
        const uint32_t* source = sourceRow(src, y + shiftY) + (area.left + shiftX);
        op.combineRow(pixelRow(dst, y), source, area.left, y, area.width());
    }
    return kTransferred;
}

}  // namespace draw
