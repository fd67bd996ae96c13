#include "tests/support/x11_desktop.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <cstdlib>

#include "tests/support/program_window.h"
#include "tests/support/x11_screen.h"
#include "tests/support/x11_window.h"

namespace {

XvfbOptions serverOptions(const DesktopOptions& options) {
    XvfbOptions server{.sharedMemory = options.sharedMemory};
    // Room for a window twice as large each way, with what Wine draws around it.
    if (options.scale == 2) {
        server.width = 1280;
        server.height = 1400;
        server.resources = "Xft.dpi: 192";
    }
    return server;
}

// Where the client area starts in the X window: at its corner, or inside the frame that Wine
// draws around the window of a Windows program. A frame is as wide on the left, the right and
// the bottom; the caption adds to the top. Read afresh each time: Wine sizes the window once it
// shows.
struct ClientOrigin {
    int x = 0;
    int y = 0;
};
ClientOrigin clientOrigin(const XWindowAttributes& window, int scale) {
    const int side = (window.width - kClientWidth * scale) / 2;
    return {side, window.height - kClientHeight * scale - side};
}

}  // namespace

X11Desktop::X11Desktop(const DesktopOptions& options)
    : scale_(options.scale), server_(serverOptions(options)) {}

DesktopWindow X11Desktop::windowOfClass(const std::string& windowClass) {
    return findWindowOfClass(connection(), windowClass);
}

DesktopWindow X11Desktop::windowNamed(const std::string& caption) {
    return findWindowNamed(connection(), caption);
}

bool X11Desktop::focus(DesktopWindow window) {
    return focusWhenViewable(connection(), window);
}

std::string X11Desktop::caption(DesktopWindow window) {
    return textProperty(connection(), window, "_NET_WM_NAME");
}

WindowSize X11Desktop::size(DesktopWindow window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(connection(), window, &attributes) == 0)
        return {};
    return {attributes.width, attributes.height};
}

ScreenArea X11Desktop::read(DesktopWindow window, int x, int y, int width, int height) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(connection(), window, &attributes) == 0)
        return {x, y, width, height, {}};
    const ClientOrigin origin = clientOrigin(attributes, scale_);
    // The server reads only inside the window: the part of the area there.
    const int left = std::max(origin.x + x, 0);
    const int top = std::max(origin.y + y, 0);
    const int right = std::min(origin.x + x + width, attributes.width);
    const int bottom = std::min(origin.y + y + height, attributes.height);
    ScreenArea area{x, y, width, height, {}};
    if (right <= left || bottom <= top)
        return area;
    const ScreenArea inside =
        readWindow(connection(), window, left, top, right - left, bottom - top);
    if (inside.pixels.empty())
        return area;
    area.pixels.assign(static_cast<size_t>(width) * height, 0xFFFFFFFF);
    for (int py = top; py < bottom; ++py) {
        for (int px = left; px < right; ++px)
            area.pixels[static_cast<size_t>(py - origin.y - y) * width + (px - origin.x - x)] =
                inside.at(px, py);
    }
    return area;
}

bool X11Desktop::close(DesktopWindow window) {
    sendCloseRequest(connection(), window);
    // The request counts as made once the server has it, not once it is queued here.
    XSync(connection(), False);
    return true;
}

bool X11Desktop::type(const std::string& keys, int delayMs) {
    const std::string command = "xdotool key --delay " + std::to_string(delayMs) + " " + keys;
    return std::system(command.c_str()) == 0;
}

bool X11Desktop::hold(const std::string& key, int ms) {
    const std::string command =
        "xdotool keydown " + key + " sleep " + std::to_string(ms / 1000.0) + " keyup " + key;
    return std::system(command.c_str()) == 0;
}

bool X11Desktop::addKey(const std::string& keyName) {
    return addKeyFor(connection(), XStringToKeysym(keyName.c_str())) != 0;
}
