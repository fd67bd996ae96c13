// Finding faces and rasterising with FreeType; the files come from platform/linux/font_match.h.
#include "platform/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <utility>

#include "platform/face_finder.h"
#include "platform/linux/font_match.h"

namespace platform {

struct FontFace {
    std::vector<FT_Face> faces;
};

namespace {

// A face that has this character (中) has Chinese text.
constexpr char32_t kChineseProbe = 0x4E2D;

// The library, or null when FreeType cannot start.
FT_Library library() {
    static const FT_Library instance = [] {
        FT_Library made = nullptr;
        return FT_Init_FreeType(&made) == 0 ? made : nullptr;
    }();
    return instance;
}

// Opens each file once; null for a file that does not open or holds no scalable outlines.
FT_Face openFace(const FontFile& file) {
    static std::map<std::pair<std::string, int>, FT_Face> opened;
    auto key = std::pair(file.path, file.index);
    if (auto found = opened.find(key); found != opened.end())
        return found->second;
    FT_Face face = nullptr;
    if (library() == nullptr || FT_New_Face(library(), file.path.c_str(), file.index, &face) != 0) {
        face = nullptr;
    } else if (!FT_IS_SCALABLE(face)) {
        FT_Done_Face(face);
        face = nullptr;
    }
    opened.emplace(std::move(key), face);
    return face;
}

bool hasChar(const FontFace& face, char32_t cp) {
    return std::any_of(face.faces.begin(), face.faces.end(),
                       [cp](FT_Face ft) { return FT_Get_Char_Index(ft, cp) != 0; });
}

// A face for a character that no face of the requested chain has; null when none has it.
FT_Face faceWith(char32_t cp) {
    static std::map<char32_t, FT_Face> found;
    if (auto known = found.find(cp); known != found.end())
        return known->second;
    const auto file = fontFileWith(cp);
    FT_Face face = file ? openFace(*file) : nullptr;
    if (face != nullptr && FT_Get_Char_Index(face, cp) == 0)
        face = nullptr;
    found.emplace(cp, face);
    return face;
}

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
    const long x1 = std::clamp(left + long{bitmap.width}, x0, long{cell.width});
    const long y0 = std::clamp(top, 0L, long{cell.height});
    const long y1 = std::clamp(top + long{bitmap.rows}, y0, long{cell.height});
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

}  // namespace

const FontFace* findFontFace(std::string_view gbkName) {
    auto* face = new FontFace();
    for (const FontFile& file : fontFilesFor(gbkName)) {
        if (FT_Face ft = openFace(file))
            face->faces.push_back(ft);
    }
    if (!hasChar(*face, kChineseProbe)) {
        // Latin text can still be drawn when nothing covers Chinese.
        if (auto file = anyFontFile()) {
            if (FT_Face ft = openFace(*file))
                face->faces.push_back(ft);
        }
        warnOfMissingFonts(!face->faces.empty(), "fonts-wqy-zenhei");
    }
    return face;
}

std::optional<GlyphBitmap> renderGlyph(const FontFace& face, char32_t cp, const GlyphCell& cell) {
    for (FT_Face ft : face.faces) {
        if (const FT_UInt index = FT_Get_Char_Index(ft, cp))
            return fitGlyph(ft, index, cell);
    }
    if (FT_Face ft = faceWith(cp))
        return fitGlyph(ft, FT_Get_Char_Index(ft, cp), cell);
    return std::nullopt;
}

}  // namespace platform
