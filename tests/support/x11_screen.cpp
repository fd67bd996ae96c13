#include "tests/support/x11_screen.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <functional>

#include "tests/support/program_window.h"
#include "tests/support/x11_window.h"

namespace {

// A pixel of the server's format as 0x00RRGGBB, for any TrueColor depth.
uint32_t toRgb(unsigned long pixel, const XImage& image) {
    auto channel = [pixel](unsigned long mask) -> uint32_t {
        if (mask == 0)
            return 0;
        int shift = 0;
        while (((mask >> shift) & 1) == 0)
            ++shift;
        const unsigned long top = mask >> shift;
        return static_cast<uint32_t>(((pixel & mask) >> shift) * 255 / top);
    };
    return channel(image.red_mask) << 16 | channel(image.green_mask) << 8 |
           channel(image.blue_mask);
}

}  // namespace

namespace {

// The first top-level window that matches, or 0.
::Window findTopLevel(Display* display, const std::function<bool(::Window)>& matches) {
    ::Window root = DefaultRootWindow(display);
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, root, &root, &parent, &children, &count) == 0)
        return 0;
    ::Window found = 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
        if (matches(children[i]))
            found = children[i];
    }
    XFree(children);
    return found;
}

}  // namespace

::Window findWindowOfClass(Display* display, const std::string& windowClass) {
    return findTopLevel(display, [&](::Window window) {
        XClassHint hint{};
        if (XGetClassHint(display, window, &hint) == 0)
            return false;
        const bool same = windowClass == hint.res_class;
        XFree(hint.res_name);
        XFree(hint.res_class);
        // Wine gives each program a hidden 1 x 1 window of the same class for input methods.
        XWindowAttributes attributes{};
        return same && XGetWindowAttributes(display, window, &attributes) != 0 &&
               attributes.width > 1 && attributes.height > 1;
    });
}

::Window findWindowNamed(Display* display, const std::string& name) {
    return findTopLevel(display, [&](::Window window) {
        return textProperty(display, window, "_NET_WM_NAME") == name;
    });
}

bool focusWhenViewable(Display* display, ::Window window) {
    // Generous: Wine maps a Windows program's window only once the program has set it up.
    const bool viewable = holdsWithin(30, [&] {
        XWindowAttributes attributes{};
        return XGetWindowAttributes(display, window, &attributes) != 0 &&
               attributes.map_state == IsViewable;
    });
    if (!viewable)
        return false;
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
    return true;
}

unsigned addKeyFor(Display* display, KeySym keysym) {
    int first = 0;
    int last = 0;
    XDisplayKeycodes(display, &first, &last);
    int perCode = 0;
    KeySym* map =
        XGetKeyboardMapping(display, static_cast<KeyCode>(first), last - first + 1, &perCode);
    if (map == nullptr)
        return 0;
    int spare = 0;
    for (int code = first; code <= last && spare == 0 && keysym != NoSymbol; ++code) {
        const KeySym* symbols = map + static_cast<ptrdiff_t>(code - first) * perCode;
        if (std::all_of(symbols, symbols + perCode, [](KeySym s) { return s == NoSymbol; }))
            spare = code;
    }
    XFree(map);
    if (spare == 0)
        return 0;
    XChangeKeyboardMapping(display, spare, 1, &keysym, 1);
    XSync(display, False);
    return static_cast<unsigned>(spare);
}

ScreenArea readWindow(Display* display, ::Window window, int x, int y, int width, int height) {
    ScreenArea area{x, y, width, height, {}};
    XImage* image = XGetImage(display, window, x, y, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image == nullptr)
        return area;
    area.pixels.reserve(static_cast<size_t>(width) * height);
    for (int py = 0; py < height; ++py) {
        for (int px = 0; px < width; ++px)
            area.pixels.push_back(toRgb(XGetPixel(image, px, py), *image));
    }
    XDestroyImage(image);
    return area;
}
