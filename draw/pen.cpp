#include "draw/pen.h"

#include <initializer_list>

namespace draw {

namespace {

DashList dashList(std::initializer_list<uint8_t> lengths) {
    DashList list;
    for (uint8_t length : lengths)
        list.lengths[list.count++] = length;
    return list;
}

// The fixed styles are one pixel wide; wider pens of those styles draw solid lines.
DashList fixedStyleDashes(int style) {
    switch (style) {
        case kPenDash:
            return dashList({18, 6});
        case kPenDot:
            return dashList({3, 3});
        case kPenDashDot:
            return dashList({9, 6, 3, 6});
        case kPenDashDotDot:
            return dashList({9, 3, 3, 3, 3, 3});
        default:
            return {};
    }
}

}  // namespace

DashList dashListFromPattern(uint32_t pattern) {
    DashList list;
    uint32_t runBit = pattern & 1;
    uint8_t runLength = 1;
    for (int bit = 1; bit < 16; ++bit) {
        const uint32_t value = (pattern >> bit) & 1;
        if (value == runBit) {
            ++runLength;
        } else {
            list.lengths[list.count++] = runLength;
            runBit = value;
            runLength = 1;
        }
    }
    list.lengths[list.count++] = runLength;
    return list;
}

bool dashCovers(const DashList& dashes, int64_t position) {
    if (dashes.count == 0)
        return true;
    // Entries alternate dash and gap through the list and around it, so an odd-length list
    // repeats with dashes and gaps exchanged: the whole cycle is twice its length.
    const int64_t cycle = int64_t{dashes.total()} * (dashes.count % 2 == 1 ? 2 : 1);
    int64_t offset = position % cycle;
    if (offset < 0)
        offset += cycle;
    for (int step = 0;; ++step) {
        const int length = dashes.lengths[step % dashes.count];
        if (offset < length)
            return step % 2 == 0;
        offset -= length;
    }
}

std::optional<Pen> makePen(int style, uint32_t pattern, int width, RGBVAL color) {
    if (style < kPenSolid || style > kPenUser)
        return std::nullopt;
    Pen pen;
    pen.style = style;
    pen.width = width < 1 ? 1 : width;
    pen.color = color;
    if (style == kPenUser) {
        pen.dashes = dashListFromPattern(pattern);
    } else if (pen.width == 1) {
        pen.dashes = fixedStyleDashes(style);
    }
    return pen;
}

Brush makePatternBrush(int pattern, RGBVAL color) {
    Brush brush;
    brush.color = color;
    switch (pattern) {
        case 2:
        case 9:
            brush.hatch = kHatchVertical;
            break;
        case 3:
        case 4:
            brush.hatch = kHatchRising;
            break;
        case 5:
        case 6:
            brush.hatch = kHatchFalling;
            break;
        case 7:
            brush.hatch = kHatchCross;
            break;
        case 8:
        case 10:
        case 11:
            brush.hatch = kHatchDiagonalCross;
            break;
        default:
            brush.hatch = kHatchNone;
            break;
    }
    return brush;
}

}  // namespace draw
