// Rasterising one character with FreeType, fitted into a text cell. Shared by the systems whose
// fonts are drawn with FreeType (Linux and the browser); each finds and opens its faces itself.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <optional>

#include "platform/font.h"

namespace platform {

// The process's FreeType library, or null when FreeType cannot start.
FT_Library freetypeLibrary();

// Renders glyph `index` of the face centred in the cell, as renderGlyph (platform/font.h)
// describes; nothing when FreeType fails to load or render it.
std::optional<GlyphBitmap> fitGlyph(FT_Face ft, FT_UInt index, const GlyphCell& cell);

}  // namespace platform
