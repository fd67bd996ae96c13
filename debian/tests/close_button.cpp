// Presses a window's close button: there is no window manager on a private X server to do it,
// and xdotool cannot.
//   close_button <window id>     on the X server DISPLAY names
#include <cstdio>
#include <cstdlib>

#include "tests/support/close_request.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: close_button <window id>\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "close_button: cannot open the display\n");
        return 1;
    }
    sendCloseRequest(display, std::strtoul(argv[1], nullptr, 0));
    XCloseDisplay(display);
    return 0;
}
