// The faces for the face names, from the files platform/linux/font_match.h finds; their glyphs are
// rasterised by platform/freetype_glyph.h.
#include "platform/font.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include "platform/face_finder.h"
#include "platform/freetype_glyph.h"
#include "platform/linux/font_match.h"

namespace platform {

struct FontFace {
    std::vector<FT_Face> faces;
};

namespace {

// A face that has this character (中) has Chinese text.
constexpr char32_t kChineseProbe = 0x4E2D;

// Opens each file once; null for a file that does not open or holds no scalable outlines.
FT_Face openFace(const FontFile& file) {
    static std::map<std::pair<std::string, int>, FT_Face> opened;
    auto key = std::pair(file.path, file.index);
    if (auto found = opened.find(key); found != opened.end())
        return found->second;
    FT_Face face = nullptr;
    if (freetypeLibrary() == nullptr ||
        FT_New_Face(freetypeLibrary(), file.path.c_str(), file.index, &face) != 0) {
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
