// Stretching transfers: the source rectangle scaled onto the destination rectangle by dropping
// or repeating whole rows and columns of source pixels, never averaging them. Coordinates and
// clipping follow the same-size transfers.
#include <algorithm>
#include <cassert>
#include <memory>
#include <new>

#include "draw/draw_context.h"
#include "draw/page_lock.h"
#include "draw/raster.h"
#include "draw/rop.h"
#include "draw/transfer.h"

namespace draw {

namespace {

// One axis of a stretch, with both lengths made positive.
struct StretchAxis {
    int64_t destStart;
    int64_t destLength;
    int64_t srcStart;
    int64_t srcLength;
    bool mirrored;
};

// A negative size counts back from its origin: the rectangle covers [origin + size, origin).
// The picture is mirrored when exactly one of the two sizes is negative.
StretchAxis makeAxis(int64_t dest, int destSize, int64_t src, int srcSize) {
    StretchAxis axis{dest, destSize, src, srcSize, (destSize < 0) != (srcSize < 0)};
    if (destSize < 0) {
        axis.destStart += destSize;
        axis.destLength = -axis.destLength;
    }
    if (srcSize < 0) {
        axis.srcStart += srcSize;
        axis.srcLength = -axis.srcLength;
    }
    return axis;
}

// The destination positions [first, first + count) of one axis that take a source pixel.
struct AxisMap {
    int first = 0;
    int count = 0;
};

// Maps the destination positions of one axis inside [clipLo, clipHi) to source positions,
// written to sources[0 .. count). Positions whose source falls outside [0, srcLimit) are left
// out; the mapping is monotonic, so those that remain are contiguous.
AxisMap mapAxis(const StretchAxis& axis, int clipLo, int clipHi, int srcLimit, int* sources) {
    AxisMap map;
    if (axis.srcLength == 0)
        return map;
    const int64_t lo = std::max<int64_t>(axis.destStart, clipLo);
    const int64_t hi = std::min<int64_t>(axis.destStart + axis.destLength, clipHi);
    for (int64_t position = lo; position < hi; ++position) {
        // Both factors are at most 2^31, so the product fits.
        int64_t offset = (position - axis.destStart) * axis.srcLength / axis.destLength;
        if (axis.mirrored)
            offset = axis.srcLength - 1 - offset;
        const int64_t source = axis.srcStart + offset;
        if (source < 0 || source >= srcLimit)
            continue;
        if (map.count == 0)
            map.first = static_cast<int>(position);
        sources[map.count++] = static_cast<int>(source);
    }
    return map;
}

template <typename T>
std::unique_ptr<T[]> scratch(int count) {
    return std::unique_ptr<T[]>(new (std::nothrow) T[static_cast<size_t>(count)]);
}

// Picks the source pixels of every destination row and column inside the clip rectangle, so
// the cost follows the clipped destination, however large the rectangles.
int stretchRect(Image& dst, const Image& src, const StretchAxis& across, const StretchAxis& down,
                uint32_t rop) {
    const Rect& clip = dst.dc->clip;
    if (clip.empty())
        return kTransferred;
    const auto columns = scratch<int>(clip.width());
    const auto rows = scratch<int>(clip.height());
    const auto row = scratch<uint32_t>(clip.width());
    if (columns == nullptr || rows == nullptr || row == nullptr)
        return kTransferFailed;

    const AxisMap xs = mapAxis(across, clip.left, clip.right, src.width, columns.get());
    const AxisMap ys = mapAxis(down, clip.top, clip.bottom, src.height, rows.get());
    const RasterOp op(rop, dst);
    const auto guard =
        lockIfPage(dst, Rect{xs.first, ys.first, xs.first + xs.count, ys.first + ys.count});
    for (int i = 0; i < ys.count; ++i) {
        const uint32_t* from = sourceRow(src, rows[i]);
        for (int k = 0; k < xs.count; ++k)
            row[k] = from[columns[k]];
        const int y = ys.first + i;
        op.combineRow(pixelRow(dst, y), row.get(), xs.first, y, xs.count);
    }
    return kTransferred;
}

}  // namespace

int stretch(Image& dst, int xDest, int yDest, int destWidth, int destHeight, const Image& src,
            int xSrc, int ySrc, int srcWidth, int srcHeight, uint32_t rop) {
    assert(dst.dc != nullptr && src.dc != nullptr);
    const DrawContext& to = *dst.dc;
    const StretchAxis across =
        makeAxis(int64_t{xDest} + to.originx, destWidth, int64_t{xSrc} + src.dc->originx, srcWidth);
    const StretchAxis down = makeAxis(int64_t{yDest} + to.originy, destHeight,
                                      int64_t{ySrc} + src.dc->originy, srcHeight);
    return stretchRect(dst, src, across, down, rop);
}

}  // namespace draw
