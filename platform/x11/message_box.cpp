#include "platform/x11/message_box.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <vector>

#include "platform/gbk.h"
#include "platform/x11/display.h"
#include "platform/x11/properties.h"

namespace platform::x11 {

namespace {

constexpr int kMargin = 16;
constexpr int kMinimumWidth = 240;

// The server's built-in fixed font, in its Unicode variant where the server has one.
constexpr const char* kFontNames[] = {
    "-misc-fixed-medium-r-semicondensed--13-*-*-*-*-*-iso10646-1",
    "fixed",
};

using Line = std::vector<XChar2b>;

// The character as the font indexes it, or a question mark where the font has no such index.
XChar2b glyphOf(char32_t ch, const XFontStruct& font) {
    const unsigned int row = ch >> 8;
    const unsigned int column = ch & 0xFF;
    if (ch > 0xFFFF || row < font.min_byte1 || row > font.max_byte1 ||
        column < font.min_char_or_byte2 || column > font.max_char_or_byte2) {
        return {0, '?'};
    }
    return {static_cast<unsigned char>(row), static_cast<unsigned char>(column)};
}

// The text's lines as the font indexes their characters.
std::vector<Line> linesOf(const char* gbk, const XFontStruct& font) {
    std::vector<Line> lines;
    for (const TextLine& text : gbkLines(gbk)) {
        Line& line = lines.emplace_back();
        for (const TextCharacter& ch : text)
            line.push_back(glyphOf(ch.code, font));
    }
    return lines;
}

int lineHeight(const XFontStruct& font) {
    return font.ascent + font.descent;
}

int widestLine(XFontStruct& font, const std::vector<Line>& lines) {
    int widest = 0;
    for (const Line& line : lines) {
        widest = std::max(widest, XTextWidth16(&font, line.data(), static_cast<int>(line.size())));
    }
    return widest;
}

// The box on the screen.
struct Box {
    Display* display;
    XFontStruct* font;
    std::vector<Line> lines;
    ::Window window = 0;
    GC gc = nullptr;
};

void createBoxWindow(Box& box, const char* title, ::Window owner) {
    Display* display = box.display;
    const int screen = DefaultScreen(display);
    const int width = std::max(kMinimumWidth, widestLine(*box.font, box.lines) + 2 * kMargin);
    const int height = static_cast<int>(box.lines.size()) * lineHeight(*box.font) + 2 * kMargin;
    const int x = std::max(0, (DisplayWidth(display, screen) - width) / 2);
    const int y = std::max(0, (DisplayHeight(display, screen) - height) / 2);
    box.window = XCreateSimpleWindow(display, RootWindow(display, screen), x, y, width, height, 0,
                                     BlackPixel(display, screen), WhitePixel(display, screen));
    XSelectInput(display, box.window,
                 ExposureMask | KeyPressMask | ButtonPressMask | StructureNotifyMask);
    setWindowCaption(display, box.window, gbkToUtf8(title));
    setFixedSize(display, box.window, width, height);
    acceptCloseRequests(display, box.window);
    setClientIdentity(display, box.window);
    const Atom dialogType = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(display, box.window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False),
                    XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&dialogType), 1);
    if (owner != 0) {
        XSetTransientForHint(display, box.window, owner);
        addInitialState(display, box.window, "_NET_WM_STATE_MODAL");
    }
    XGCValues values{};
    values.font = box.font->fid;
    values.foreground = BlackPixel(display, screen);
    box.gc = XCreateGC(display, box.window, GCFont | GCForeground, &values);
}

void drawText(const Box& box) {
    int baseline = kMargin + box.font->ascent;
    for (const Line& line : box.lines) {
        XDrawString16(box.display, box.window, box.gc, kMargin, baseline, line.data(),
                      static_cast<int>(line.size()));
        baseline += lineHeight(*box.font);
    }
}

// Keys typed into the box should reach it even where no window manager gives it the focus.
void takeFocus(const Box& box) {
    ErrorTrap trap(box.display);
    XSetInputFocus(box.display, box.window, RevertToParent, CurrentTime);
}

bool closesBox(XKeyEvent& event) {
    const KeySym keysym = XLookupKeysym(&event, 0);
    return keysym == XK_Return || keysym == XK_KP_Enter || keysym == XK_Escape;
}

// Handles one event; false once it closed the box.
bool handleBoxEvent(const Box& box, XEvent& event) {
    switch (event.type) {
        case Expose:
            if (event.xexpose.count == 0)
                drawText(box);
            return true;
        case MapNotify:
            takeFocus(box);
            return true;
        case ButtonPress:
            return false;
        case KeyPress:
            return !closesBox(event.xkey);
        case ClientMessage:
            return !isCloseRequest(box.display, event);
        default:
            return true;
    }
}

XFontStruct* loadFont(Display* display) {
    for (const char* name : kFontNames) {
        if (XFontStruct* font = XLoadQueryFont(display, name))
            return font;
    }
    return nullptr;
}

}  // namespace

void showMessageBox(const char* title, const char* text, ::Window owner) {
    Display* display = openDisplay();
    if (display == nullptr)
        return;
    if (XFontStruct* font = loadFont(display)) {
        Box box{display, font, linesOf(text, *font)};
        createBoxWindow(box, title, owner);
        XMapWindow(display, box.window);
        XEvent event;
        do {
            XNextEvent(display, &event);
        } while (handleBoxEvent(box, event));
        XFreeGC(display, box.gc);
        XFreeFont(display, font);
    }
    XCloseDisplay(display);
}

}  // namespace platform::x11
