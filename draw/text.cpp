// Text: fonts, and GBK strings drawn in fixed cells. A run's width is its number of bytes times
// `cellWidth`; the glyph's coverage blends each pixel of its cell from the background colour to
// the pen colour.
#include "draw/text.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "draw/glyph_cache.h"
#include "draw/page_lock.h"
#include "draw/raster.h"

namespace draw {

namespace {

// Face names are read up to this many bytes; a longer name is cut there.
constexpr size_t kMaxFaceNameBytes = 31;

// Runs are measured as at most this many bytes long, which keeps every position far inside 64
// bits; no real string comes close.
constexpr size_t kMaxMeasuredBytes = size_t{1} << 30;

enum HorizontalAnchor { kAnchorLeft = 0, kAnchorCentre = 1, kAnchorRight = 2 };
enum VerticalAnchor { kAnchorBottom = 0, kAnchorMiddle = 1, kAnchorTop = 2 };

// A cell size as given: 0 takes the fallback, a negative size its magnitude.
int cellSize(int requested, int fallback) {
    if (requested == 0)
        return fallback;
    return static_cast<int>(std::min<int64_t>(std::llabs(requested), INT_MAX));
}

// The font setfontface describes; a width of 0 is half the height, as in the default font.
Font makeFont(int height, int width, const char* face) {
    Font font;
    font.cellHeight = cellSize(height, Font{}.cellHeight);
    font.cellWidth = cellSize(width, std::max(1, font.cellHeight / 2));
    if (face != nullptr)
        font.face = fontFace({face, strnlen(face, kMaxFaceNameBytes)});
    return font;
}

// The image pixel of the top-left corner of the run's first cell, as the anchor places it.
struct RunOrigin {
    int64_t left = 0;
    int64_t top = 0;
};

// The width of the run's cells: one cell per byte.
int64_t runWidth(const DrawContext& dc, const char* text) {
    const auto bytes = static_cast<int64_t>(std::min(std::strlen(text), kMaxMeasuredBytes));
    return bytes * dc.font.cellWidth;
}

RunOrigin anchoredOrigin(const Image& img, int x, int y, int64_t width) {
    const DrawContext& dc = *img.dc;
    RunOrigin origin{int64_t{x} + dc.originx, int64_t{y} + dc.originy};
    if (img.texthjust == kAnchorCentre || img.texthjust == kAnchorRight)
        origin.left -= img.texthjust == kAnchorCentre ? width / 2 : width;
    // A centred run hangs from its top, raised by half its height.
    if (img.textvjust == kAnchorBottom)
        origin.top -= dc.font.cellHeight;
    if (img.textvjust == kAnchorMiddle)
        origin.top -= dc.font.cellHeight / 2;
    return origin;
}

// The background and pen colours mixed in the proportion coverage / 255, each byte rounded to
// the nearest value, so that equal bytes stay as they are. Two bytes share one product: each
// lane stays below 2^16, so nothing spills into its neighbour.
uint32_t mixColors(uint32_t background, uint32_t pen, uint32_t coverage) {
    const auto mixLanes = [coverage](uint32_t back, uint32_t fore) {
        const uint32_t sum = back * (255 - coverage) + fore * coverage + 0x00800080;
        return (sum + (sum >> 8 & 0x00FF00FF)) >> 8 & 0x00FF00FF;
    };
    return mixLanes(background & 0x00FF00FF, pen & 0x00FF00FF) |
           mixLanes(background >> 8 & 0x00FF00FF, pen >> 8 & 0x00FF00FF) << 8;
}

// The colour of each coverage value for one background and pen: 0 is the background, 255 the
// pen. Kept per thread for the last pair, which a program usually draws with again and again.
class CoverageColours {
public:
    const uint32_t* of(uint32_t background, uint32_t pen) {
        if (!made_ || background != background_ || pen != pen_) {
            for (uint32_t coverage = 0; coverage < colours_.size(); ++coverage)
                colours_[coverage] = mixColors(background, pen, coverage);
            background_ = background;
            pen_ = pen;
            made_ = true;
        }
        return colours_.data();
    }

private:
    std::array<uint32_t, 256> colours_{};
    uint32_t background_ = 0;
    uint32_t pen_ = 0;
    bool made_ = false;
};

// Blends the glyph's coverage into the cell through the colour of each coverage value. The
// cell is already filled with the background, so writing the background where the glyph does
// not cover changes nothing. The cell rectangle is the visible part of the cell whose corner is
// (cellLeft, cellTop).
void drawGlyph(Image& img, const Rect& cell, int64_t cellLeft, int64_t cellTop, const Glyph& glyph,
               const uint32_t* colourOf) {
    const int64_t left = cellLeft + glyph.left;
    const int64_t top = cellTop + glyph.top;
    const platform::GlyphBitmap& bitmap = glyph.bitmap;
    const Rect box = clipRect(left, top, left + bitmap.width, top + bitmap.height, cell);
    for (int y = box.top; y < box.bottom; ++y) {
        const uint8_t* coverage =
            bitmap.coverage.data() + (y - top) * bitmap.width + (box.left - left);
        uint32_t* row = pixelRow(img, y);
        for (int x = box.left; x < box.right; ++x, ++coverage)
            row[x] = colourOf[*coverage];
    }
}

// Draws the run's cells from left to right, stopping at the clip's right edge; cells wholly
// left of the clip are passed over without rasterising their characters.
void drawRun(Image& img, RunOrigin origin, const char* text) {
    const DrawContext& dc = *img.dc;
    const Font& font = dc.font;
    const int64_t bottom = origin.top + font.cellHeight;
    if (origin.top >= dc.clip.bottom || bottom <= dc.clip.top)
        return;
    LockedGlyphs glyphs;
    thread_local CoverageColours colours;
    const uint32_t* colourOf = colours.of(dc.bkcolor, dc.textcolor);
    int64_t cellLeft = origin.left;
    for (platform::GbkChar ch = platform::nextGbkChar(text);
         ch.length != 0 && cellLeft < dc.clip.right; ch = platform::nextGbkChar(text)) {
        const int64_t cellRight = cellLeft + int64_t{font.cellWidth} * ch.length;
        const Rect cell = clipRect(cellLeft, origin.top, cellRight, bottom, dc.clip);
        if (!cell.empty()) {
            fillSolid(img, cell, dc.bkcolor);
            drawGlyph(img, cell, cellLeft, origin.top, glyphs.glyph(font, ch), colourOf);
        }
        cellLeft = cellRight;
        text += ch.length;
    }
}

}  // namespace

void setFontFace(Image& img, int height, int width, const char* face) {
    assert(img.dc != nullptr);
    img.dc->font = makeFont(height, width, face);
}

void drawText(Image& img, int x, int y, const char* text) {
    assert(img.dc != nullptr && text != nullptr);
    const DrawContext& dc = *img.dc;
    const int64_t width = runWidth(dc, text);
    const RunOrigin origin = anchoredOrigin(img, x, y, width);
    // Only the run's own cells change, so the next presentation compares no more than those.
    const Rect reach = clipRect(origin.left, origin.top, origin.left + width,
                                origin.top + dc.font.cellHeight, dc.clip);
    const auto guard = lockIfPage(img, reach);
    drawRun(img, origin, text);
}

// Every text is one cell tall, whatever its characters.
int textHeight(const Image& img) {
    assert(img.dc != nullptr);
    return img.dc->font.cellHeight;
}

}  // namespace draw
