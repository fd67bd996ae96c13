// Pens and brushes built from the stored drawing state.
#pragma once

#include <cstdint>
#include <optional>

#include "draw/draw_context.h"

namespace draw {

// The dash list of the user line style: runs of equal bits of the 16-bit pattern, bit 0 first.
// The lengths add up to 16; the first entry is a dash whatever bit 0 holds.
DashList dashListFromPattern(uint32_t pattern);

// Whether a point `position` pixels along a line from its start lies on a dash.
bool dashCovers(const DashList& dashes, int64_t position);

// The pen for a line style, or nothing for a style no pen can be made of (the previous pen then
// stays selected).
std::optional<Pen> makePen(int style, uint32_t pattern, int width, RGBVAL color);

// The brush for a fill pattern number of setbrushpattern.
Brush makePatternBrush(int pattern, RGBVAL color);

}  // namespace draw
