// The control tree: a panel holding two buttons, and a round lamp over them. Clicking a button
// counts the click and gives it the focus; the focused button takes the digits typed. The lamp
// blinks on its own and lets clicks through outside its disc. Escape or the window's close
// button ends the program.
//
// Each control paints into a canvas of its own; every frame the runtime draws the tree over the
// page, passes the queued mouse and key events down it, and runs the update handlers.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "runtime/control.h"
#include "runtime/graph.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kEscape = 27;  // the character code of Escape, as readkey returns it

// Makes the control's canvas (and mask) width x height pixels and puts it at (left, top) of its
// parent's canvas.
void place(CONTROL& control, int left, int top, int width, int height) {
    control.x = left;
    control.y = top;
    control.width = width;
    control.height = height;
    control.canvas->createimage(width, height);
    control.mask->createimage(width, height);
}

class Button : public CONTROL {
public:
    Button(CONTROL* parent, const char* label, int left, int top) : CONTROL(parent) {
        place(*this, left, top, 200, 60);
        std::snprintf(label_, sizeof label_, "%s", label);
    }

    int onmouse(int, int, int flags) override {
        if ((flags & MOUSEFLAG_PRESS) != 0 && (flags & MOUSEFLAG_LEFT) != 0)
            ++clicks_;
        return 1;  // consumed: the panel below does not see it
    }
    // A character key comes as its character code.
    int onchar(int key, int) override {
        const size_t length = std::strlen(typed_);
        if (key >= '0' && key <= '9' && length + 1 < sizeof typed_)
            typed_[length] = static_cast<char>(key);
        return 0;
    }
    int onfocusrequest() override { return 0; }  // accepts the focus a click offers

    // Paints the canvas: the frame shows the focus, the text the clicks and the typed digits.
    void ondraw(PIMAGE) override {
        setbackcolor(focused != 0 ? 0x3060C0 : 0x404850);
        clearimage();
        setbrushcolor(0xFFFFFF);
        fillbar(0, 0, width, 2);
        char text[64];
        std::snprintf(text, sizeof text, "%s: %d clicks %s", label_, clicks_, typed_);
        setfontface(16, 8, FACE_HEI);
        setpencolor(0xFFFFFF);
        drawtext(10, 22, text);
    }

private:
    char label_[16] = {};
    char typed_[8] = {};
    int clicks_ = 0;
};

class Panel : public CONTROL {
public:
    Panel() { place(*this, 60, 80, 520, 200); }
    void ondraw(PIMAGE) override {
        setbackcolor(0xD8D0C0);
        clearimage();
        setfontface(16, 8, FACE_HEI);
        setpencolor(0x000000);
        drawtext(10, 8, "A panel; its buttons are its children, in its canvas.");
    }
};

// A disc drawn through a mask: where the mask is 0 the lamp is neither drawn nor hit.
class Lamp : public CONTROL {
public:
    Lamp() {
        place(*this, 270, 240, 100, 100);
        blendmode = BLENDMODE_MASKED;
        zorder = 1;                     // above the panel, whatever was made first
        setbrushcolor(0x0000FF, mask);  // the low byte is the opacity
        for (int row = 0; row < height; ++row) {
            const double dy = row - height / 2 + 0.5;
            const int half = static_cast<int>(std::sqrt(50.0 * 50.0 - dy * dy));
            fillbar(50 - half, row, 50 + half, row + 1, mask);
        }
    }
    int onupdate() override {
        ++frames_;
        return 0;
    }
    void ondraw(PIMAGE) override {
        setbackcolor((frames_ / 30) % 2 == 0 ? 0xFFD020 : 0x806010);
        clearimage();
    }

private:
    int frames_ = 0;
};

}  // namespace

int main() {
    initgraph(kWidth, kHeight);
    settitle("Controls");
    // Made after initgraph: controls made without a parent become children of the runtime's root.
    Panel panel;
    Button first(&panel, "first", 40, 50);
    Button second(&panel, "second", 280, 50);
    Lamp lamp;

    setfontface(16, 8, FACE_HEI);
    setpencolor(0xFFFFFF);
    for (;;) {
        clearimage();
        drawtext(60, 40, "Click the buttons, type digits into the focused one; Escape ends.");
        // Draws the tree over the page, shows it at 60 frames a second, then passes the queued
        // events through the tree and updates it.
        delayrate(60);
        // keyready gives the waiting key without taking it; readkey then takes it.
        if (keyready() > 0 && readkey() == kEscape)
            return 0;
    }
}
