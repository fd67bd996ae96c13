#include "platform/x11/scale.h"

#include <X11/Xatom.h>
#include <X11/Xresource.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace platform::x11 {

namespace {

// The resolution desktops draw at when they ask for no scaling, and the least that asks for
// twice that: below it a factor of 2 would make the window larger than the desktop meant.
constexpr double kBaseDpi = 96;
constexpr double kHighDensityDpi = 144;

// The number the whole text spells, trailing blanks allowed; none for anything else.
template <typename Number>
std::optional<Number> numberIn(const char* text) {
    if (text == nullptr)
        return std::nullopt;
    const char* end = text + std::strlen(text);
    while (end > text && (end[-1] == ' ' || end[-1] == '\t'))
        --end;
    Number value{};
    const auto [stop, error] = std::from_chars(text, end, value);
    if (error != std::errc() || stop != end || stop == text)
        return std::nullopt;
    return value;
}

std::optional<double> resourceDpi(const char* resources) {
    if (resources == nullptr)
        return std::nullopt;
    XrmInitialize();
    const XrmDatabase database = XrmGetStringDatabase(resources);
    if (database == nullptr)
        return std::nullopt;
    char* type = nullptr;
    XrmValue value{};
    std::optional<double> dpi;
    if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) != 0)
        dpi = numberIn<double>(value.addr);
    XrmDestroyDatabase(database);
    return dpi;
}

// The factor asked for, before the screen has its say.
int requestedScale(const ScaleRequests& requests) {
    if (const auto forced = numberIn<int>(requests.forced);
        forced && *forced >= 1 && *forced <= kMaxScale) {
        return *forced;
    }
    if (const auto desktop = numberIn<int>(requests.desktop); desktop && *desktop >= 1)
        return std::min(*desktop, kMaxScale);
    if (const auto dpi = resourceDpi(requests.resources); dpi && *dpi >= kHighDensityDpi) {
        return static_cast<int>(std::lround(std::min(*dpi, kBaseDpi * kMaxScale) / kBaseDpi));
    }
    return 1;
}

bool fits(Size window, int scale, Size area) {
    return int64_t{window.width} * scale <= area.width &&
           int64_t{window.height} * scale <= area.height;
}

}  // namespace

int chooseScale(const ScaleRequests& requests, Size window, Size workArea) {
    int scale = requestedScale(requests);
    while (scale > 1 && !fits(window, scale, workArea))
        --scale;
    return scale;
}

ScaleRequests scaleRequests(Display* display) {
    return {std::getenv("TRIVANTA_SCALE"), std::getenv("GDK_SCALE"),
            XResourceManagerString(display)};
}

Size workArea(Display* display) {
    const int screen = DefaultScreen(display);
    Size area{DisplayWidth(display, screen), DisplayHeight(display, screen)};
    const Atom property = XInternAtom(display, "_NET_WORKAREA", True);
    if (property == None)
        return area;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    // Left, top, width and height of each virtual desktop's work area; they are alike, so the
    // first one serves.
    XGetWindowProperty(display, RootWindow(display, screen), property, 0, 4, False, XA_CARDINAL,
                       &type, &format, &count, &remaining, &data);
    if (data != nullptr && format == 32 && count == 4) {
        const auto* values = reinterpret_cast<const long*>(data);
        // The work area lies within the screen; anything else is a confused window manager's.
        if (values[2] > 0 && values[3] > 0 && values[2] <= area.width && values[3] <= area.height)
            area = {static_cast<int>(values[2]), static_cast<int>(values[3])};
    }
    if (data != nullptr)
        XFree(data);
    return area;
}

}  // namespace platform::x11
