#include "platform/x11/display.h"

#include <atomic>
#include <mutex>

namespace platform::x11 {

namespace {

// The trap in force. Its fields are atomic because the handler runs on whichever thread made
// the failing request, which may belong to another connection.
std::mutex trapLock;  // held for the whole life of an ErrorTrap
std::atomic<Display*> trappedDisplay{nullptr};
std::atomic<XErrorHandler> untrappedHandler{nullptr};
std::atomic<bool> trappedError{false};

int recordError(Display* display, XErrorEvent* error) {
    if (display == trappedDisplay.load()) {
        trappedError = true;
        return 0;
    }
    const XErrorHandler previous = untrappedHandler.load();
    return previous != nullptr ? previous(display, error) : 0;
}

}  // namespace

Display* openDisplay() {
    // Several threads use the window's connection, and Xlib must know before any connection.
    static const bool threadsReady = XInitThreads() != 0;
    (void)threadsReady;
    return XOpenDisplay(nullptr);
}

std::string displayError() {
    return std::string("cannot open the X display \"") + XDisplayName(nullptr) +
           "\": is DISPLAY set and the X server running?";
}

ErrorTrap::ErrorTrap(Display* display) : display_(display) {
    trapLock.lock();
    // Requests made before the trap must not have their errors caught by it.
    XSync(display_, False);
    trappedError = false;
    trappedDisplay = display_;
    previous_ = XSetErrorHandler(recordError);
    untrappedHandler = previous_;
}

ErrorTrap::~ErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
    trappedDisplay = nullptr;
    trapLock.unlock();
}

bool ErrorTrap::failed() {
    XSync(display_, False);
    return trappedError;
}

}  // namespace platform::x11
