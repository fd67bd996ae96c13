#include "game/marks.h"

#include <algorithm>
#include <array>
#include <vector>

#include "game/colours.h"
#include "game/screen.h"
#include "runtime/graph.h"

namespace {

// A mark is bars of one colour, in pixels from the block's top-left corner: black on the light
// blocks, white on the dark ones. Every mark keeps within the middle 18 x 18 pixels of its
// block, so that the block's colour shows all round it, and none is a disc, a square, a ring or
// a frame, which the white special blocks are.
struct Mark {
    RGBVAL colour;
    std::vector<Bar> bars;
};

constexpr int kNear = 6;  // the mark's first pixel from the block's left and top
constexpr int kFar = 24;  // and the first past it
constexpr int kMiddle = (kNear + kFar) / 2;
constexpr int kStroke = 4;

// A plus sign.
std::vector<Bar> plus() {
    const int stroke = kMiddle - kStroke / 2;
    return {{kNear, stroke, kFar, stroke + kStroke}, {stroke, kNear, stroke + kStroke, kFar}};
}

// Three horizontal stripes.
std::vector<Bar> stripes() {
    const int stroke = kMiddle - kStroke / 2;
    return {{kNear, kNear, kFar, kNear + kStroke},
            {kNear, stroke, kFar, stroke + kStroke},
            {kNear, kFar - kStroke, kFar, kFar}};
}

// A diagonal cross, each diagonal a run of overlapping squares.
std::vector<Bar> diagonalCross() {
    std::vector<Bar> bars;
    for (int step = 0; step <= kFar - kNear - kStroke; ++step) {
        const int top = kNear + step;
        bars.push_back({kNear + step, top, kNear + step + kStroke, top + kStroke});
        bars.push_back({kFar - step - kStroke, top, kFar - step, top + kStroke});
    }
    return bars;
}

constexpr int kRows = kFar - kNear;

// The mark's rows from its top, one pixel high and centred, each twice `halfWidth(row)` wide.
template <typename HalfWidth>
std::vector<Bar> rowsOf(HalfWidth halfWidth) {
    std::vector<Bar> bars;
    for (int row = 0; row < kRows; ++row) {
        const int half = halfWidth(row);
        bars.push_back({kMiddle - half, kNear + row, kMiddle + half, kNear + row + 1});
    }
    return bars;
}

// A triangle pointing up.
std::vector<Bar> triangle() {
    return rowsOf([](int row) { return 1 + row / 2; });
}

// A diamond standing on its point, its sides at 45 degrees.
std::vector<Bar> diamond() {
    return rowsOf([](int row) { return 1 + std::min(row, kRows - 1 - row); });
}

// Four dots, one in each corner of the mark's square.
std::vector<Bar> dots() {
    constexpr int kDot = 6;
    return {{kNear, kNear, kNear + kDot, kNear + kDot},
            {kFar - kDot, kNear, kFar, kNear + kDot},
            {kNear, kFar - kDot, kNear + kDot, kFar},
            {kFar - kDot, kFar - kDot, kFar, kFar}};
}

// The marks of the colours red to purple, in the order of their cell values.
const std::array<Mark, kColours>& marks() {
    static const std::array<Mark, kColours> kMarks = {
        Mark{kBlack, plus()},     Mark{kBlack, stripes()}, Mark{kWhite, diagonalCross()},
        Mark{kBlack, triangle()}, Mark{kBlack, dots()},    Mark{kWhite, diamond()},
    };
    return kMarks;
}

}  // namespace

void drawColourMark(Cell value, int left, int top, int visibleTop) {
    if (value < RED || value >= kColours)
        return;
    const Mark& mark = marks()[value];
    setbrushcolor(mark.colour);
    for (const Bar& bar : mark.bars) {
        const int barTop = std::max(top + bar.top, visibleTop);
        if (barTop < top + bar.bottom)
            fillbar(left + bar.left, barTop, left + bar.right, top + bar.bottom);
    }
    // What the block drawing leaves is the block's own colour, marked or not.
    setbrushcolor(cellColour(value));
}
