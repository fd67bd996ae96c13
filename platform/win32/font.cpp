// Rasterising with GDI: each character is drawn white on black into a DIB section and read back
// as coverage. The families come from platform/win32/font_faces.h.
#include "platform/font.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "platform/win32/font_faces.h"

namespace platform {

struct FontFace {
    std::vector<std::wstring> families;
};

namespace {

// A face that has this character (中) has Chinese text.
constexpr wchar_t kChineseProbe = 0x4E2D;

// A memory DC with a white-on-black 32-bit DIB section of at least the cell's size.
class Canvas {
public:
    Canvas() : dc_(CreateCompatibleDC(nullptr)) {
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, RGB(255, 255, 255));
        SetTextAlign(dc_, TA_TOP | TA_LEFT);
    }

    HDC dc() const { return dc_; }

    // Clears the first width x height pixels; false when no bitmap could be had.
    bool clear(int width, int height) {
        if (width > width_ || height > height_) {
            if (!resize(std::max(width, width_), std::max(height, height_)))
                return false;
        }
        GdiFlush();
        for (int y = 0; y < height; ++y)
            std::fill_n(bits_ + static_cast<size_t>(y) * width_, width, 0u);
        return true;
    }

    // How much ink the pixel got, 0 to 255. Text is grey, so any channel tells.
    uint8_t coverage(int x, int y) const {
        return static_cast<uint8_t>(bits_[static_cast<size_t>(y) * width_ + x] >> 8);
    }

private:
    bool resize(int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        const HBITMAP made = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (made == nullptr)
            return false;
        const HGDIOBJ previous = SelectObject(dc_, made);
        if (bitmap_ != nullptr)
            DeleteObject(previous);
        bitmap_ = made;
        bits_ = static_cast<uint32_t*>(bits);
        width_ = width;
        height_ = height;
        return true;
    }

    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

Canvas& canvas() {
    static Canvas instance;
    return instance;
}

// One font of a family: `height` is the cell height, which the ascent and descent fill, and
// `width` GDI's average character width (0 for the family's own proportions).
HFONT fontOf(const std::wstring& family, int height, int width) {
    static std::map<std::tuple<std::wstring, int, int>, HFONT> made;
    auto key = std::tuple(family, height, width);
    if (auto found = made.find(key); found != made.end())
        return found->second;
    const HFONT font = CreateFontW(height, width, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE,
                                   GB2312_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   ANTIALIASED_QUALITY, DEFAULT_PITCH, family.c_str());
    made.emplace(std::move(key), font);
    return font;
}

bool hasCharacter(const std::wstring& family, wchar_t unit) {
    HDC dc = canvas().dc();
    SelectObject(dc, fontOf(family, 32, 0));
    WORD index = 0xFFFF;
    return GetGlyphIndicesW(dc, &unit, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 &&
           index != 0xFFFF;
}

// Says once per process that text will show boxes, and what to do about it.
void warnOfMissingFonts(bool anyFace) {
    static bool warned = false;
    if (warned)
        return;
    warned = true;
    std::fputs(anyFace ? "Trivanta: no installed font has Chinese characters, so they are drawn "
                         "as boxes; install a Chinese font such as SimHei or SimSun.\n"
                       : "Trivanta: no fonts found, so all text is drawn as boxes.\n",
               stderr);
}

std::unique_ptr<FontFace> buildFace(std::string_view gbkName) {
    auto face = std::make_unique<FontFace>();
    face->families = win32::familiesFor(gbkName);
    const auto hasChinese = [](const std::wstring& family) {
        return hasCharacter(family, kChineseProbe);
    };
    if (std::none_of(face->families.begin(), face->families.end(), hasChinese)) {
        if (auto chinese = win32::anyChineseFamily(); chinese && hasChinese(*chinese)) {
            face->families.push_back(*chinese);
            return face;
        }
        // Latin text can still be drawn when nothing covers Chinese.
        if (auto latin = win32::anyLatinFamily())
            face->families.push_back(*latin);
        warnOfMissingFonts(!face->families.empty());
    }
    return face;
}

int textWidth(HDC dc, const std::wstring& units) {
    SIZE size{};
    GetTextExtentPoint32W(dc, units.data(), static_cast<int>(units.size()), &size);
    return size.cx;
}

// GDI's average character width that makes a full-width character emWidth wide in a cell of
// that height: measured once on the family's own proportions.
int averageWidthFor(const std::wstring& family, const GlyphCell& cell) {
    static std::map<std::tuple<std::wstring, int, int>, int> known;
    auto key = std::tuple(family, cell.height, cell.emWidth);
    if (auto found = known.find(key); found != known.end())
        return found->second;
    HDC dc = canvas().dc();
    SelectObject(dc, fontOf(family, cell.height, 0));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int em = std::max(textWidth(dc, std::wstring(1, kChineseProbe)), 1);
    const int width =
        std::max(1, static_cast<int>(std::lround(static_cast<double>(metrics.tmAveCharWidth) *
                                                 cell.emWidth / em)));
    known.emplace(std::move(key), width);
    return width;
}

std::wstring unitsOf(char32_t cp) {
    if (cp < 0x10000)
        return std::wstring(1, static_cast<wchar_t>(cp));
    const char32_t offset = cp - 0x10000;
    return {static_cast<wchar_t>(0xD800 + (offset >> 10)),
            static_cast<wchar_t>(0xDC00 + (offset & 0x3FF))};
}

std::optional<GlyphBitmap> fitGlyph(const std::wstring& family, const std::wstring& units,
                                    const GlyphCell& cell) {
    HDC dc = canvas().dc();
    int averageWidth = averageWidthFor(family, cell);
    SelectObject(dc, fontOf(family, cell.height, averageWidth));
    int advance = textWidth(dc, units);
    if (advance > cell.width) {
        // Too wide for its cell: narrow the character until its advance fits.
        averageWidth = std::max(1, averageWidth * cell.width / advance);
        SelectObject(dc, fontOf(family, cell.height, averageWidth));
        advance = std::min(textWidth(dc, units), cell.width);
    }
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    if (!canvas().clear(cell.width, cell.height))
        return std::nullopt;
    // The line is centred in the cell, and the advance across it.
    TextOutW(dc, (cell.width - advance) / 2, (cell.height - metrics.tmHeight) / 2, units.data(),
             static_cast<int>(units.size()));
    GdiFlush();
    GlyphBitmap glyph{0, 0, cell.width, cell.height, {}};
    glyph.coverage.reserve(static_cast<size_t>(cell.width) * cell.height);
    for (int y = 0; y < cell.height; ++y) {
        for (int x = 0; x < cell.width; ++x)
            glyph.coverage.push_back(canvas().coverage(x, y));
    }
    return glyph;
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
    const std::wstring units = unitsOf(cp);
    for (const std::wstring& family : face.families) {
        if (units.size() == 1 && hasCharacter(family, units[0]))
            return fitGlyph(family, units, cell);
    }
    return std::nullopt;
}

}  // namespace platform
