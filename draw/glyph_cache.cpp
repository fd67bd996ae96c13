#include "draw/glyph_cache.h"

#include <algorithm>
#include <unordered_map>

namespace draw {

namespace {

// Glyphs are rasterised for cells of at most this many pixels each way; a larger cell gets a
// glyph of this size in its middle.
constexpr int kMaxRasterCell = 512;

// When a new glyph would take the cache past this many bytes, the cache starts afresh.
constexpr size_t kCacheBudget = size_t{32} << 20;
// What the table spends on an entry besides the coverage: node, links and bucket.
constexpr size_t kEntryOverhead = 64;

struct GlyphKey {
    const platform::FontFace* face = nullptr;
    int cellHeight = 0;
    int cellWidth = 0;
    uint16_t code = 0;
    bool operator==(const GlyphKey&) const = default;
};

struct GlyphKeyHash {
    size_t operator()(const GlyphKey& key) const {
        uint64_t mixed = reinterpret_cast<uintptr_t>(key.face);
        for (const uint64_t part :
             {uint64_t(key.cellHeight), uint64_t(key.cellWidth), uint64_t(key.code)}) {
            mixed = (mixed ^ part) * 0x9E3779B97F4A7C15;
        }
        return static_cast<size_t>(mixed ^ mixed >> 29);
    }
};

struct GlyphTable {
    std::unordered_map<GlyphKey, Glyph, GlyphKeyHash> glyphs;
    size_t bytes = 0;
};

// Guards glyphTable and every call into platform/font.h, whose FreeType and fontconfig state
// only one thread at a time may use.
std::mutex glyphMutex;
GlyphTable glyphTable;

int rasterSize(int64_t cellSize) {
    return static_cast<int>(std::clamp<int64_t>(cellSize, 1, kMaxRasterCell));
}

// A box outline inset in the cell: what a character that cannot be drawn shows.
platform::GlyphBitmap placeholderBox(const platform::GlyphCell& cell) {
    const int insetX = cell.width / 8;
    const int insetY = cell.height / 8;
    const int stroke = std::max(1, std::min(cell.width, cell.height) / 12);
    platform::GlyphBitmap box{
        insetX, insetY, cell.width - 2 * insetX, cell.height - 2 * insetY, {}};
    box.coverage.reserve(static_cast<size_t>(box.width) * box.height);
    for (int y = 0; y < box.height; ++y) {
        for (int x = 0; x < box.width; ++x) {
            const bool edge =
                x < stroke || y < stroke || x >= box.width - stroke || y >= box.height - stroke;
            box.coverage.push_back(edge ? 255 : 0);
        }
    }
    return box;
}

Glyph makeGlyph(const platform::FontFace& face, const Font& font, platform::GbkChar ch) {
    const int64_t cellWidth = int64_t{font.cellWidth} * ch.length;
    const int64_t cellHeight = font.cellHeight;
    const platform::GlyphCell raster{rasterSize(cellWidth), rasterSize(cellHeight),
                                     rasterSize(2 * int64_t{font.cellWidth})};
    const char32_t cp = platform::decodeGbk(ch.code);
    std::optional<platform::GlyphBitmap> bitmap;
    if (cp != platform::kNoCodePoint)
        bitmap = platform::renderGlyph(face, cp, raster);
    if (!bitmap)
        bitmap = placeholderBox(raster);
    const int64_t left = (cellWidth - raster.width) / 2 + bitmap->left;
    const int64_t top = (cellHeight - raster.height) / 2 + bitmap->top;
    return Glyph{left, top, std::move(*bitmap)};
}

}  // namespace

const platform::FontFace* fontFace(std::string_view gbkName) {
    const std::scoped_lock lock(glyphMutex);
    return &platform::fontFaceNamed(gbkName);
}

LockedGlyphs::LockedGlyphs() : lock_(glyphMutex) {}

const Glyph& LockedGlyphs::glyph(const Font& font, platform::GbkChar ch) {
    const platform::FontFace& face =
        font.face != nullptr ? *font.face : platform::defaultFontFace();
    const GlyphKey key{&face, font.cellHeight, font.cellWidth, ch.code};
    if (auto found = glyphTable.glyphs.find(key); found != glyphTable.glyphs.end()) {
        return found->second;
    }
    Glyph made = makeGlyph(face, font, ch);
    const size_t cost =
        made.bitmap.coverage.capacity() + sizeof(GlyphKey) + sizeof(Glyph) + kEntryOverhead;
    if (glyphTable.bytes + cost > kCacheBudget) {
        glyphTable.glyphs.clear();
        glyphTable.bytes = 0;
    }
    glyphTable.bytes += cost;
    return glyphTable.glyphs.emplace(key, std::move(made)).first->second;
}

void clearGlyphCache() {
    const std::scoped_lock lock(glyphMutex);
    glyphTable.glyphs.clear();
    glyphTable.bytes = 0;
}

}  // namespace draw
