// Connections to the X server, and catching the protocol errors of requests that may fail.
#pragma once

#include <X11/Xlib.h>

#include <string>

namespace platform::x11 {

// A connection to the display DISPLAY names, or null. Xlib is made safe for threads before the
// first connection of the process.
Display* openDisplay();

// What to tell the user when openDisplay() gave null.
std::string displayError();

// While it lives, protocol errors of `display` are recorded here instead of ending the process
// in Xlib's default handler; errors of other connections go to the handler there was before.
// One trap at a time in the process: a second one waits for the first to end.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display);
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    // Waits until the server has handled every request so far; true if one of them failed.
    bool failed();

private:
    Display* display_;
    XErrorHandler previous_;
};

}  // namespace platform::x11
