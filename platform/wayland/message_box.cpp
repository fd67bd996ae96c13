#include "platform/wayland/message_box.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/font.h"
#include "platform/gbk.h"
#include "platform/messages.h"
#include "platform/wayland/window.h"

namespace platform::wayland {

namespace {

constexpr int kMargin = 16;
constexpr int kMinimumWidth = 240;
// The text's cells: a single-byte character is half as wide as a double-byte one.
constexpr int kLineHeight = 16;
constexpr int kNarrowWidth = 8;
constexpr int kWideWidth = 16;
constexpr uint32_t kPaper = 0xFFFFFF;

int widthOf(const TextCharacter& ch) {
    return ch.wide ? kWideWidth : kNarrowWidth;
}

int widthOf(const TextLine& line) {
    int width = 0;
    for (const TextCharacter& ch : line)
        width += widthOf(ch);
    return width;
}

// The box's picture: the text in black on white. Only this thread draws text meanwhile: the
// runtime's own text is drawn by the thread that shows the box.
struct Picture {
    Size size;
    std::vector<uint32_t> pixels;

    void draw(const GlyphBitmap& glyph, int left, int top) {
        for (int y = 0; y < glyph.height; ++y) {
            for (int x = 0; x < glyph.width; ++x) {
                const uint32_t ink = glyph.coverage[static_cast<size_t>(y) * glyph.width + x];
                const uint32_t level = 255 - ink;
                pixels[static_cast<size_t>(top + glyph.top + y) * size.width + left + glyph.left +
                       x] = level << 16 | level << 8 | level;
            }
        }
    }
};

Picture pictureOf(const std::vector<TextLine>& lines) {
    int widest = 0;
    for (const TextLine& line : lines)
        widest = std::max(widest, widthOf(line));
    Picture picture;
    picture.size = {std::max(kMinimumWidth, widest + 2 * kMargin),
                    static_cast<int>(lines.size()) * kLineHeight + 2 * kMargin};
    picture.pixels.assign(static_cast<size_t>(picture.size.width) * picture.size.height, kPaper);
    const FontFace& face = defaultFontFace();
    int top = kMargin;
    for (const TextLine& line : lines) {
        int left = kMargin;
        for (const TextCharacter& ch : line) {
            const int width = widthOf(ch);
            const GlyphCell cell{width, kLineHeight, kWideWidth};
            if (const auto glyph =
                    renderGlyph(face, ch.code == kNoCodePoint ? U'?' : ch.code, cell))
                picture.draw(*glyph, left, top);
            left += width;
        }
        top += kLineHeight;
    }
    return picture;
}

bool closesBox(const Message& message) {
    switch (message.message) {
        case msg::kKeyDown:
            return message.wparam == vk::kEnter || message.wparam == vk::kEscape;
        case msg::kLeftButtonDown:
        case msg::kRightButtonDown:
        case msg::kMiddleButtonDown:
        case msg::kClose:
            return true;
        default:
            return false;
    }
}

}  // namespace

void showMessageBox(const char* title, const char* text) {
    std::string error;
    std::unique_ptr<Connection> connection = Connection::open(kAnswerTimeoutMs, error);
    if (connection == nullptr)
        return;
    const Picture picture = pictureOf(gbkLines(text));
    WindowRequest wanted;
    wanted.width = picture.size.width;
    wanted.height = picture.size.height;
    wanted.caption = title;
    std::unique_ptr<WaylandWindow> box =
        WaylandWindow::create(std::move(connection), wanted, error);
    if (box == nullptr)
        return;
    box->show(true);
    box->present(picture.pixels.data(), picture.size.width, picture.size.width,
                 picture.size.height);
    while (!closesBox(box->nextMessage())) {
    }
}

}  // namespace platform::wayland
