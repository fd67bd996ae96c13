// Fonts: finding installed faces for the face names programs ask for, and rasterising one
// character fitted into a text cell.
//
// Nothing here is safe to call from two threads at once: callers hold one lock around every
// call (the glyph cache's, in the drawing layer). Each operating system has its own
// implementation: FreeType and fontconfig on Linux, GDI on Windows.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace platform {

// The two face names programs use, as GBK bytes: "黑体" (sans) and "宋体" (serif).
inline constexpr std::string_view kSansFaceName = "\xBA\xDA\xCC\xE5";
inline constexpr std::string_view kSerifFaceName = "\xCB\xCE\xCC\xE5";

// The installed faces that stand for one requested face name, tried in order for each
// character. Lives until the process ends.
struct FontFace;

// The face for a name given as GBK bytes. "黑体" (sans) and "宋体" (serif) map to installed
// Chinese faces of the same style; other names are looked up by family and fall back to the
// sans faces. The same name always gives the same face, resolved only the first time.
const FontFace& fontFaceNamed(std::string_view gbkName);
// The face used before a program names one: the sans faces.
const FontFace& defaultFontFace();

// Where a glyph goes: a cell `width` x `height` pixels in a font whose full-width characters
// are `emWidth` wide. Every size is at least 1.
struct GlyphCell {
    int width = 1;
    int height = 1;
    int emWidth = 1;
};

// A character's coverage in its cell: width x height values, row by row, from 0 (background)
// to 255 (ink), for the box whose top-left corner is (left, top) of the cell. The box lies
// inside the cell.
struct GlyphBitmap {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> coverage;
};

// Renders the character centred in the cell: the face's ascent and descent fill the cell
// height, a full-width character fills emWidth, and a character too wide for the cell is
// narrowed to fit. Nothing when no installed face has the character.
std::optional<GlyphBitmap> renderGlyph(const FontFace& face, char32_t cp, const GlyphCell& cell);

}  // namespace platform
