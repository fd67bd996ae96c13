// Ternary raster operations: how a transfer combines the pattern, the source and the
// destination word by word.
#pragma once

#include <array>
#include <cstdint>

#include "draw/image.h"

namespace draw {

// A raster operation code; bits 16 to 23 are its truth table. Bit (4p + 2s + d) of the table is
// the result for pattern bit p, source bit s and destination bit d, applied to every bit of the
// words alike. The pattern is the destination's brush: its colour, or for a hatched brush the
// hatch pixel at that position of the destination.
class RasterOp {
public:
    RasterOp(uint32_t code, const Image& dst);

    // Combines `count` source words into destination columns [x, x + count) of image row y.
    // The source may overlap the destination row, as when an image is moved along itself.
    void combineRow(uint32_t* dstRow, const uint32_t* src, int x, int y, int count) const;

    // Whether this is the plain source copy, which does not depend on where a word lands.
    bool copiesSource() const { return table_ == kCopyTable; }

private:
    // The truth table of the plain source copy.
    static constexpr uint8_t kCopyTable = 0xCC;

    uint32_t apply(uint32_t pattern, uint32_t source, uint32_t dest) const;

    uint8_t table_;
    // The brush as laid on the image's pixel grid: entry (y & 7) * 8 + (x & 7).
    std::array<RGBVAL, 64> pattern_;
};

}  // namespace draw
