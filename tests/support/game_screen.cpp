#include "tests/support/game_screen.h"

#include <algorithm>
#include <cstring>

#include "runtime/graph_state.h"

namespace {

// A text drawn on an image of its own, exactly its cells wide: every byte takes one cell width,
// as double-byte characters take two.
class ReferenceText {
public:
    ReferenceText(const char* text, RGBVAL colour, const Font& font)
        : width_(static_cast<int>(std::strlen(text)) * font.width),
          height_(font.height),
          image_(newimage(width_, height_)) {
        setbackcolorkeep(kBlack, image_);
        setfontface(font.height, font.width, font.face, image_);
        setpencolor(colour, image_);
        drawtext(0, 0, text, image_);
    }
    ~ReferenceText() { freeimage(image_); }
    ReferenceText(const ReferenceText&) = delete;
    ReferenceText& operator=(const ReferenceText&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    RGBVAL at(int x, int y) const { return image_->pixels[y * width_ + x]; }
    bool hasInk() const {
        const RGBVAL* pixels = image_->pixels;
        return std::any_of(pixels, pixels + width_ * height_,
                           [](RGBVAL pixel) { return pixel != kBlack; });
    }

private:
    int width_;
    int height_;
    PIMAGE image_;
};

bool inside(const Frame& frame, int x, int y) {
    return x >= 0 && y >= 0 && x < frame.width && y < frame.height;
}

}  // namespace

void paintBlocks(const Board& board) {
    for (int column = 0; column < kColumns; ++column) {
        for (int row = kTopRow + 1; row <= kBottomRow; ++row) {
            if (board.at(column, row) == EMPTY)
                continue;
            const Rect cell = cellRect(column, row);
            setbrushcolor(cellColour(board.at(column, row)));
            fillbar(cell.left, cell.top, cell.right, cell.bottom);
        }
    }
}

Frame pageNow() {
    const GraphState& gs = graphstate();
    const PIMAGE page = gs.pages[gs.drawpage];
    Frame frame;
    frame.atMs = platform::headless::nowMs();
    frame.width = page->width;
    frame.height = page->height;
    frame.pixels.assign(page->pixels, page->pixels + page->width * page->height);
    return frame;
}

int countIn(const Frame& frame, Rect rect, RGBVAL colour) {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            if (inside(frame, x, y) && frame.pixel(x, y) == colour)
                ++count;
        }
    }
    return count;
}

bool isFilled(const Frame& frame, Rect rect, RGBVAL colour) {
    return countIn(frame, rect, colour) == (rect.right - rect.left) * (rect.bottom - rect.top);
}

::testing::AssertionResult filledWith(const Frame& frame, Rect rect, RGBVAL colour) {
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            if (!inside(frame, x, y) || frame.pixel(x, y) != colour) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is 0x" << std::hex
                       << (inside(frame, x, y) ? frame.pixel(x, y) : 0u) << ", not 0x" << colour;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult showsText(const Frame& frame, int x, int y, const char* text,
                                     RGBVAL colour, const Font& font) {
    const ReferenceText reference(text, colour, font);
    if (!reference.hasInk())
        return ::testing::AssertionFailure() << "the runtime draws no ink for the text";
    for (int row = 0; row < reference.height(); ++row) {
        for (int column = 0; column < reference.width(); ++column) {
            const int px = x + column;
            const int py = y + row;
            if (inside(frame, px, py) && frame.pixel(px, py) == reference.at(column, row))
                continue;
            return ::testing::AssertionFailure()
                   << "the text differs first at (" << px << ", " << py << ") from its colour 0x"
                   << std::hex << colour << " rendering";
        }
    }
    return ::testing::AssertionSuccess();
}

bool hasText(const Frame& frame, int x, int y, const char* text, RGBVAL colour, const Font& font) {
    return static_cast<bool>(showsText(frame, x, y, text, colour, font));
}

bool looksLikeGameOver(const Frame& frame) {
    // The menu's highlighted "exit" button looks the same, but its title ends at x 292 and it
    // has no score label.
    return isFilled(frame, {186, 416, 294, 420}, kGreen) &&
           !isFilled(frame, {292, 100, 356, 148}, kBlack) &&
           !isFilled(frame, {180, 240, 240, 264}, kBlack);
}
