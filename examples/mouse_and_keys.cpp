// Mouse input and key events. Drag with the left mouse button to draw on the pad, click the
// right button to wipe it; every key event (down, character, up) is listed at the top as
// readkeyevent describes it. Escape or the window's close button ends the program.
//
// Mouse events reach a program through the control tree: every frame shows the queued events to
// the controls, without taking them from their queues. The pad is a control over the lower part
// of the window; it paints the strokes into its canvas, and it also counts the key events it is
// shown, so that the main loop reads exactly those with readkeyevent and never waits for a key.
#include <cstdio>
#include <deque>
#include <string>

#include "runtime/control.h"
#include "runtime/graph.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kLogTop = 28;  // the key log's first line, below the instructions
constexpr int kLogLines = 5;
constexpr int kLineHeight = 18;
constexpr int kPadTop = kLogTop + kLogLines * kLineHeight + 8;
constexpr int kEscape = 0x1B;  // the virtual-key code of Escape
constexpr RGBVAL kPaper = 0xF4F0E0;
constexpr RGBVAL kInk = 0x203060;

class Pad : public CONTROL {
public:
    Pad() {
        x = 0;
        y = kPadTop;
        width = kWidth;
        height = kHeight - kPadTop;
        canvas->createimage(width, height);
        setbackcolor(kPaper, canvas);
        clearimage(canvas);
        setbrushcolor(kInk, canvas);
        focused = 1;  // the root passes its keys to focused children
    }

    // The handlers run with the canvas as the current image, so their calls draw on it.
    int onmouse(int mouseX, int mouseY, int flags) override {
        if ((flags & MOUSEFLAG_RIGHT) != 0 && (flags & MOUSEFLAG_PRESS) != 0) {
            clearimage();
        } else if ((flags & MOUSEFLAG_LEFT) != 0 && (flags & MOUSEFLAG_RELEASE) == 0) {
            fillbar(mouseX - 2, mouseY - 2, mouseX + 3, mouseY + 3);
        }
        return 1;
    }
    int onkeydown(int, int) override { return countKeyEvent(); }
    int onkeyup(int, int) override { return countKeyEvent(); }
    int onchar(int, int) override { return countKeyEvent(); }

    int keyEvents = 0;  // shown to the pad and not yet read

private:
    int countKeyEvent() {
        ++keyEvents;
        return 0;  // not consumed: other controls may see the key too
    }
};

const char* kindName(int kind) {
    switch (kind) {
        case KEYEV_DOWN:
            return "down";
        case KEYEV_UP:
            return "up  ";
        default:
            return "char";
    }
}

// The newest key events, one line each, the newest at the bottom.
class KeyLog {
public:
    void add(const KeyEventInfo& info) {
        char line[64];
        std::snprintf(line, sizeof line, "%s  key 0x%02X%s%s", kindName(info.kind),
                      static_cast<unsigned>(info.key),
                      (info.modifiers & KEYMOD_SHIFT) != 0 ? "  Shift" : "",
                      (info.modifiers & KEYMOD_CTRL) != 0 ? "  Ctrl" : "");
        lines_.push_back(line);
        if (lines_.size() > static_cast<size_t>(kLogLines))
            lines_.pop_front();
    }
    void draw() const {
        fillbar(0, kLogTop, kWidth, kPadTop);
        for (size_t i = 0; i < lines_.size(); ++i)
            drawtext(8, kLogTop + static_cast<int>(i) * kLineHeight, lines_[i].c_str());
    }

private:
    std::deque<std::string> lines_;
};

}  // namespace

int main() {
    initgraph(kWidth, kHeight);
    settitle("Mouse and keys");
    setfontface(16, 8, FACE_HEI);
    setpencolor(0xFFFFFF);
    setbrushcolor(0x000000);
    drawtext(8, 6, "Drag with the left button to draw, right click wipes; Escape ends.");

    Pad pad;  // made after initgraph, so it becomes a child of the runtime's root control
    KeyLog log;
    for (;;) {
        for (; pad.keyEvents > 0; --pad.keyEvents) {
            KeyEventInfo info;
            readkeyevent(&info);
            if (info.kind == 0)  // the window was closed
                return 0;
            if (info.kind == KEYEV_DOWN && info.key == kEscape)
                return 0;
            log.add(info);
        }
        log.draw();
        // Shows the page with the pad drawn over it, passes the queued events through the
        // controls, and waits out the rest of the frame.
        delayframe(16);
    }
}
