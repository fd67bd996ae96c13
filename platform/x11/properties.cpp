#include "platform/x11/properties.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <climits>
#include <vector>

#include "platform/icon.h"

namespace platform::x11 {

namespace {

Atom atom(Display* display, const char* name) {
    return XInternAtom(display, name, False);
}

}  // namespace

void setWindowCaption(Display* display, ::Window window, const std::string& utf8) {
    const Atom utf8String = atom(display, "UTF8_STRING");
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    const int length = static_cast<int>(utf8.size());
    for (const Atom property : {XA_WM_NAME, atom(display, "_NET_WM_NAME")}) {
        XChangeProperty(display, window, property, utf8String, 8, PropModeReplace, bytes, length);
    }
}

void setFixedSize(Display* display, ::Window window, int width, int height) {
    XSizeHints* hints = XAllocSizeHints();
    if (hints == nullptr)
        return;
    hints->flags = PMinSize | PMaxSize;
    hints->min_width = hints->max_width = width;
    hints->min_height = hints->max_height = height;
    XSetWMNormalHints(display, window, hints);
    XFree(hints);
}

void acceptCloseRequests(Display* display, ::Window window) {
    Atom deleteWindow = atom(display, "WM_DELETE_WINDOW");
    XSetWMProtocols(display, window, &deleteWindow, 1);
}

bool isCloseRequest(Display* display, const XEvent& event) {
    if (event.type != ClientMessage || event.xclient.format != 32)
        return false;
    return event.xclient.message_type == atom(display, "WM_PROTOCOLS") &&
           static_cast<Atom>(event.xclient.data.l[0]) == atom(display, "WM_DELETE_WINDOW");
}

void removeDecorations(Display* display, ::Window window) {
    // The Motif hints every window manager still reads: flags (decorations given), functions,
    // decorations (none), input mode, status.
    constexpr long kDecorationsFlag = 2;
    const long hints[5] = {kDecorationsFlag, 0, 0, 0, 0};
    const Atom motifHints = atom(display, "_MOTIF_WM_HINTS");
    XChangeProperty(display, window, motifHints, motifHints, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(hints), 5);
}

void setWindowIcon(Display* display, ::Window window, std::span<const uint32_t> icon) {
    // Xlib takes 32-bit items as longs, whatever their width.
    std::vector<long> items;
    for (const IconPicture& picture : iconPictures(icon)) {
        items.push_back(picture.width);
        items.push_back(picture.height);
        items.insert(items.end(), picture.pixels.begin(), picture.pixels.end());
    }
    if (items.empty())
        return;
    XChangeProperty(display, window, atom(display, "_NET_WM_ICON"), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(items.data()),
                    static_cast<int>(items.size()));
}

void setClientIdentity(Display* display, ::Window window) {
    const long pid = getpid();
    XChangeProperty(display, window, atom(display, "_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    char host[HOST_NAME_MAX + 1] = {};
    if (gethostname(host, sizeof host - 1) != 0)
        return;
    char* names[] = {host};
    XTextProperty machine{};
    if (XStringListToTextProperty(names, 1, &machine) == 0)
        return;
    XSetWMClientMachine(display, window, &machine);
    XFree(machine.value);
}

void addInitialState(Display* display, ::Window window, const char* state) {
    const Atom value = atom(display, state);
    XChangeProperty(display, window, atom(display, "_NET_WM_STATE"), XA_ATOM, 32, PropModeAppend,
                    reinterpret_cast<const unsigned char*>(&value), 1);
}

}  // namespace platform::x11
