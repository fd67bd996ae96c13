// Characters rasterised once per face, cell size and character, and the lock that is the one
// way in to the font platform.
#pragma once

#include <cstdint>
#include <mutex>
#include <string_view>

#include "draw/draw_context.h"
#include "platform/font.h"
#include "platform/gbk.h"

namespace draw {

// A character ready to draw: the bitmap's coverage box, with its top-left corner at (left, top)
// of the text cell. The box lies inside the cell.
struct Glyph {
    int64_t left = 0;
    int64_t top = 0;
    platform::GlyphBitmap bitmap;
};

// The font platform's face for a face name given as GBK bytes.
const platform::FontFace* fontFace(std::string_view gbkName);

// The cache, locked for as long as this lives.
class LockedGlyphs {
public:
    LockedGlyphs();

    // The glyph of one character in the cells of the font; the reference is good until the next
    // call. A character that cannot be drawn (no such character in the code page, or no
    // installed face has it) gets a box.
    const Glyph& glyph(const Font& font, platform::GbkChar ch);

private:
    std::unique_lock<std::mutex> lock_;
};

// Empties the cache, so that the next text rasterises its characters again.
void clearGlyphCache();

}  // namespace draw
