#include "platform/x11/backend.h"

#include <atomic>

#include "platform/linux/posix_backend.h"
#include "platform/x11/display.h"
#include "platform/x11/message_box.h"
#include "platform/x11/window.h"

namespace platform::x11 {

namespace {

class X11Backend final : public PosixBackend {
public:
    std::unique_ptr<Window> createWindow(const WindowRequest& wanted, std::string& error) override {
        std::unique_ptr<X11Window> window = X11Window::create(wanted, error);
        if (window != nullptr)
            boxOwner_ = window->xid();
        return window;
    }

    Size desktopSize() override {
        Display* display = openDisplay();
        if (display == nullptr)
            return {};
        const int screen = DefaultScreen(display);
        const Size size{DisplayWidth(display, screen), DisplayHeight(display, screen)};
        XCloseDisplay(display);
        return size;
    }

    void showErrorBox(const char* title, const char* text) override {
        showMessageBox(title, text, boxOwner_);
    }

private:
    // The window error boxes stand above: the last one made.
    std::atomic<::Window> boxOwner_{0};
};

}  // namespace

bool available(std::string& whyNot) {
    Display* display = openDisplay();
    if (display == nullptr) {
        whyNot = "no X display (DISPLAY)";
        return false;
    }
    XCloseDisplay(display);
    return true;
}

Backend& backend() {
    // Never destroyed: the window thread may still use it while the process ends.
    static auto* const instance = new X11Backend();
    return *instance;
}

}  // namespace platform::x11
