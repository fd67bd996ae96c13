#include "draw/rop.h"

#include <cstring>
#include <functional>

#include "draw/draw_context.h"
#include "draw/raster.h"

namespace draw {

RasterOp::RasterOp(uint32_t code, const Image& dst) : table_(static_cast<uint8_t>(code >> 16)) {
    // The brush repeats every 8 pixels, so painting one 8 x 8 tile with the same painter as
    // fillbar gives the pattern at every position.
    Image tile;
    tile.pixels = pattern_.data();
    tile.width = 8;
    tile.height = 8;
    fillWithBrush(tile, Rect{0, 0, 8, 8}, dst.dc->brush, dst.dc->bkcolor);
}

uint32_t RasterOp::apply(uint32_t pattern, uint32_t source, uint32_t dest) const {
    // The result is the union of the minterms the table selects.
    uint32_t result = 0;
    for (int entry = 0; entry < 8; ++entry) {
        if (((table_ >> entry) & 1) == 0)
            continue;
        result |= ((entry & 4) != 0 ? pattern : ~pattern) & ((entry & 2) != 0 ? source : ~source) &
                  ((entry & 1) != 0 ? dest : ~dest);
    }
    return result;
}

void RasterOp::combineRow(uint32_t* dstRow, const uint32_t* src, int x, int y, int count) const {
    uint32_t* const dst = dstRow + x;
    if (copiesSource()) {
        std::memmove(dst, src, sizeof(uint32_t) * static_cast<size_t>(count));
        return;
    }
    const RGBVAL* const patternRow = pattern_.data() + (y & 7) * 8;
    const auto combine = [&](int k) { dst[k] = apply(patternRow[(x + k) & 7], src[k], dst[k]); };
    // As memmove does: when the source lies before the destination, walk backwards so that
    // every source word is read before it is overwritten.
    if (std::less<>{}(src, dst)) {
        for (int k = count - 1; k >= 0; --k)
            combine(k);
    } else {
        for (int k = 0; k < count; ++k)
            combine(k);
    }
}

}  // namespace draw
