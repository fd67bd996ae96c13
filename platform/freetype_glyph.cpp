#include "platform/freetype_glyph.h"

#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>

namespace platform {

FT_Library freetypeLibrary() {
    static const FT_Library instance = [] {
        FT_Library made = nullptr;
        return FT_Init_FreeType(&made) == 0 ? made : nullptr;
    }();
    return instance;
}

namespace {

// A face's ascent and descent in font units. Chinese faces make their typographic values
// span exactly the em that ideographs are drawn in, so those are preferred.
struct LineMetrics {
    double ascent = 0;
    double descent = 0;
    double height() const { return ascent + descent; }
};

LineMetrics lineMetrics(FT_Face ft) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    if (os2 != nullptr && os2->sTypoAscender - os2->sTypoDescender > 0) {
        return {static_cast<double>(os2->sTypoAscender), -static_cast<double>(os2->sTypoDescender)};
    }
    if (ft->ascender - ft->descender > 0) {
        return {static_cast<double>(ft->ascender), -static_cast<double>(ft->descender)};
    }
    return {static_cast<double>(ft->units_per_EM), 0};
}

// Loads the outline at a scale of xPpem by yPpem pixels per em, each at least one pixel.
bool loadScaled(FT_Face ft, FT_UInt index, double xPpem, double yPpem) {
    const auto toFixed = [](double ppem) {
        return static_cast<FT_F26Dot6>(std::lround(std::max(ppem, 1.0) * 64));
    };
    return FT_Set_Char_Size(ft, toFixed(xPpem), toFixed(yPpem), 72, 72) == 0 &&
           FT_Load_Glyph(ft, index, FT_LOAD_NO_BITMAP) == 0;
}

// The part of a rendered bitmap whose top-left corner sits at (left, top) of the cell that
// lies inside the cell. Only 8-bit coverage stored top-down is taken, which is what the
// outline renderer makes.
std::optional<GlyphBitmap> cutToCell(const FT_Bitmap& bitmap, long left, long top,
                                     const GlyphCell& cell) {
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.pitch < 0)
        return std::nullopt;
    const long x0 = std::clamp(left, 0L, long{cell.width});
    const long x1 = std::clamp(left + static_cast<long>(bitmap.width), x0, long{cell.width});
    const long y0 = std::clamp(top, 0L, long{cell.height});
    const long y1 = std::clamp(top + static_cast<long>(bitmap.rows), y0, long{cell.height});
    GlyphBitmap cut{static_cast<int>(x0),
                    static_cast<int>(y0),
                    static_cast<int>(x1 - x0),
                    static_cast<int>(y1 - y0),
                    {}};
    cut.coverage.reserve(static_cast<size_t>(cut.width) * cut.height);
    for (long y = y0; y < y1; ++y) {
        const unsigned char* row = bitmap.buffer + (y - top) * bitmap.pitch;
        cut.coverage.insert(cut.coverage.end(), row + (x0 - left), row + (x1 - left));
    }
    return cut;
}

}  // namespace

std::optional<GlyphBitmap> fitGlyph(FT_Face ft, FT_UInt index, const GlyphCell& cell) {
    const LineMetrics line = lineMetrics(ft);
    // A face claiming an implausibly thin line would otherwise ask for a giant scale.
    const double yPpem =
        std::min(cell.height * ft->units_per_EM / line.height(), 2.0 * cell.height);
    double xPpem = cell.emWidth;
    if (!loadScaled(ft, index, xPpem, yPpem))
        return std::nullopt;
    double advance = ft->glyph->linearHoriAdvance / 65536.0;
    if (advance > cell.width) {
        // Too wide for its cell: narrow the character until its advance fits.
        xPpem *= cell.width / advance;
        advance = cell.width;
        if (!loadScaled(ft, index, xPpem, yPpem))
            return std::nullopt;
    }
    if (FT_Render_Glyph(ft->glyph, FT_RENDER_MODE_NORMAL) != 0)
        return std::nullopt;
    // The line is centred in the cell; it fills the cell unless the one-pixel minimum scale
    // made it taller. The advance is centred across the cell.
    const double pixelsPerUnit = std::max(yPpem, 1.0) / ft->units_per_EM;
    const double lineTop = (cell.height - line.height() * pixelsPerUnit) / 2;
    const long baseline = std::lround(lineTop + line.ascent * pixelsPerUnit);
    const long origin = std::lround((cell.width - advance) / 2);
    const FT_GlyphSlot slot = ft->glyph;
    return cutToCell(slot->bitmap, origin + slot->bitmap_left, baseline - slot->bitmap_top, cell);
}

}  // namespace platform
