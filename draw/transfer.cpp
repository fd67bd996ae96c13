// Raster-operation transfers at the same size. Coordinates are relative to each image's
// drawing-area origin, and the destination's clip rectangle cuts the transfer; pixels whose
// source lies outside the source's store are left alone.
#include "draw/transfer.h"

#include "draw/draw_context.h"
#include "draw/fatal.h"
#include "draw/image_arg.h"
#include "draw/page_lock.h"
#include "draw/raster.h"
#include "draw/rop.h"
#include "runtime/graph.h"

namespace draw {

PIMAGE transferTarget(const IMAGE& src, PIMAGE dst) {
    checkImage(&src, kTransferMethod);
    const PIMAGE target = drawableImage(dst, Counts::Yes);
    // An image whose creation failed has no pixels to give.
    return src.dc != nullptr ? target : nullptr;
}

}  // namespace draw

int IMAGE::putimage(PIMAGE dst, int xDest, int yDest, int copyWidth, int copyHeight, int xSrc,
                    int ySrc, uint32_t rop) const {
    const PIMAGE target = draw::transferTarget(*this, dst);
    if (target == nullptr)
        return draw::kTransferFailed;

    const draw::DrawContext& to = *target->dc;
    const int64_t left = int64_t{xDest} + to.originx;
    const int64_t top = int64_t{yDest} + to.originy;
    // Destination pixel (x, y) takes source pixel (x + shiftX, y + shiftY).
    const int64_t shiftX = int64_t{xSrc} + dc->originx - left;
    const int64_t shiftY = int64_t{ySrc} + dc->originy - top;
    draw::Rect area = draw::clipRect(left, top, left + copyWidth, top + copyHeight, to.clip);
    area = draw::clipRect(-shiftX, -shiftY, width - shiftX, height - shiftY, area);
    if (area.empty())
        return draw::kTransferred;

    const draw::RasterOp op(rop, *target);
    const auto guard = draw::lockIfPage(target, area);
    // Moving an image down along itself walks the rows bottom-up, so that every source row is
    // read before it is overwritten.
    const bool bottomUp = target == this && shiftY < 0;
    for (int i = 0; i < area.height(); ++i) {
        const int y = bottomUp ? area.bottom - 1 - i : area.top + i;
        const uint32_t* source = draw::sourceRow(*this, y + shiftY) + (area.left + shiftX);
        op.combineRow(draw::pixelRow(*target, y), source, area.left, y, area.width());
    }
    return draw::kTransferred;
}

int IMAGE::putimage(PIMAGE dst, int xDest, int yDest, uint32_t rop) const {
    return putimage(dst, xDest, yDest, width, height, 0, 0, rop);
}

int IMAGE::putimage(int xDest, int yDest, uint32_t rop) const {
    draw::checkImage(this, draw::kTransferMethod);
    // The draw is counted here, once: the image passed on is no longer argument 0.
    const PIMAGE current = draw::resolveImage(nullptr, draw::Counts::Yes);
    if (current == nullptr)
        return draw::kTransferFailed;
    return putimage(current, xDest, yDest, rop);
}

int putimage(int xDest, int yDest, PIMAGE src, uint32_t rop) {
    // Checked before the call: calling a method through a null handle would itself be undefined.
    draw::checkImage(src, draw::kTransferMethod);
    return src->putimage(xDest, yDest, rop);
}
