// The faces in the browser: the two the program carries (platform/web/faces.h), opened from
// memory, since reading a file from a worker costs a call to the page's thread per read.
#include "platform/font.h"

#include <array>

#include "platform/face_finder.h"
#include "platform/freetype_glyph.h"
#include "platform/web/faces.h"

namespace platform {

struct FontFace {
    FT_Face face = nullptr;  // null when FreeType could not open it
};

namespace {

// The sans face first: it stands for every name but "宋体".
enum FaceIndex { kSans, kSerif };

FT_Face openFace(const unsigned char* bytes, size_t size) {
    FT_Face face = nullptr;
    if (freetypeLibrary() == nullptr ||
        FT_New_Memory_Face(freetypeLibrary(), bytes, static_cast<FT_Long>(size), 0, &face) != 0) {
        return nullptr;
    }
    return face;
}

const std::array<FontFace, 2>& carriedFaces() {
    static const std::array<FontFace, 2> faces = {
        FontFace{openFace(web::kSansFace, web::kSansFaceSize)},
        FontFace{openFace(web::kSerifFace, web::kSerifFaceSize)},
    };
    return faces;
}

std::optional<GlyphBitmap> renderFrom(const FontFace& face, char32_t cp, const GlyphCell& cell) {
    if (face.face == nullptr)
        return std::nullopt;
    const FT_UInt index = FT_Get_Char_Index(face.face, cp);
    if (index == 0)
        return std::nullopt;
    return fitGlyph(face.face, index, cell);
}

}  // namespace

// Every name but the serif face's stands for the sans face.
const FontFace* findFontFace(std::string_view gbkName) {
    return &carriedFaces()[gbkName == kSerifFaceName ? kSerif : kSans];
}

// A character the requested face lacks is drawn in the other, as a desktop falls back on any
// installed face that has it.
std::optional<GlyphBitmap> renderGlyph(const FontFace& face, char32_t cp, const GlyphCell& cell) {
    if (auto glyph = renderFrom(face, cp, cell))
        return glyph;
    for (const FontFace& other : carriedFaces()) {
        if (&other != &face) {
            if (auto glyph = renderFrom(other, cp, cell))
                return glyph;
        }
    }
    return std::nullopt;
}

}  // namespace platform
