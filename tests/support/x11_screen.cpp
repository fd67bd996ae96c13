#include "tests/support/x11_screen.h"

#include <X11/Xutil.h>

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

::Window findWindowOfClass(Display* display, const std::string& windowClass) {
    ::Window root = DefaultRootWindow(display);
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, root, &root, &parent, &children, &count) == 0)
        return 0;
    ::Window found = 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
        XClassHint hint{};
        if (XGetClassHint(display, children[i], &hint) == 0)
            continue;
        if (windowClass == hint.res_class)
            found = children[i];
        XFree(hint.res_name);
        XFree(hint.res_class);
    }
    XFree(children);
    return found;
}

bool focusWhenViewable(Display* display, ::Window window) {
    const bool viewable = eventually([&] {
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
