// The faces for the face names, from the files platform/linux/font_match.h finds; their glyphs are
// rasterised by platform/freetype_glyph.h.
#include "platform/font.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>

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

// Says once per process that text will show boxes, and what to do about it.
void warnOfMissingFonts(bool anyFace) {
    static bool warned = false;
    if (warned)
        return;
    warned = true;
    std::fputs(anyFace ? "Trivanta: no installed font has Chinese characters, so they are drawn "
                         "as boxes; install a Chinese font such as fonts-wqy-zenhei.\n"
                       : "Trivanta: no fonts found, so all text is drawn as boxes; install a "
                         "font such as fonts-wqy-zenhei.\n",
               stderr);
}

std::unique_ptr<FontFace> buildFace(std::string_view gbkName) {
    auto face = std::make_unique<FontFace>();
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
        warnOfMissingFonts(!face->faces.empty());
    }
    return face;
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

const FontFace& fontFaceNamed(std::string_view gbkName) {
    static std::map<std::string, std::unique_ptr<FontFace>, std::less<>> faces;
    auto found = faces.find(gbkName);
    if (found == faces.end())
        found = faces.emplace(gbkName, buildFace(gbkName)).first;
    return *found->second;
}

const FontFace& defaultFontFace() {
    static const FontFace& face = fontFaceNamed(kSansFaceName);
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
