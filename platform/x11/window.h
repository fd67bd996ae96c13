// The runtime's window on an X server. It has a display connection of its own, which the window
// thread (pumping events) and the main thread (presenting, captions, key state) share under
// displayLock_. Sizes and positions it hands out and takes are in the runtime's pixels; on a
// high-density desktop the X window is a whole number of times larger (platform/x11/scale.h).
#pragma once

#include <X11/Xlib.h>

#include <atomic>
#include <bitset>
#include <memory>
#include <mutex>
#include <string>

#include "platform/backend.h"
#include "platform/linux/message_pump.h"
#include "platform/x11/framebuffer.h"

namespace platform::x11 {

class X11Window final : public Window {
public:
    // Window thread: makes the window, unmapped, or returns null and says why.
    static std::unique_ptr<X11Window> create(const WindowRequest& wanted, std::string& error);
    ~X11Window() override;

    Message nextMessage() override;
    void postMessage(const Message& message) override;
    void setTimer(uintptr_t id, int intervalMs) override;
    void killTimer(uintptr_t id) override;
    void show(bool visible) override;
    bool visible() override;
    void setCaption(const char* gbk) override;
    Size clientSize() override;
    void setClientSize(Size size) override;
    void destroy() override;
    using Window::present;
    void present(const uint32_t* pixels, int stride, int width, int height, Rect changed) override;
    void setCursor(Cursor cursor) override;
    bool pointerInClient() override;
    void captureMouse(bool capture) override;
    Point screenToClient(Point screen) override;
    bool keyHeld(int virtualKey) override;

    // The X window, for windows that belong to it.
    ::Window xid() const { return window_; }
    // Whether presentations go through shared memory.
    bool sharesMemory();

private:
    class DisplayLock;
    struct VisualChoice {
        Visual* visual;
        int depth;
    };
    struct PointerState {
        bool onScreen = false;  // on the window's screen
        int x = 0;              // in client coordinates
        int y = 0;
        unsigned int buttons = 0;  // and modifiers, as X's state mask
    };

    X11Window(Display* display, const VisualChoice& visual, const WindowRequest& wanted);
    static bool chooseVisual(Display* display, VisualChoice& choice);
    void createXWindow(const VisualChoice& visual);
    void setWindowManagerHints(const WindowRequest& wanted);
    Size scaleFor(Size size);
    ::Cursor makeHiddenCursor();
    PointerState queryPointer();
    bool keyboardKeyHeld(int virtualKey);

    // events.cpp: the translation of X events into messages. Called with the display locked.
    void readEvents();
    void handleEvent(XEvent& event);
    void onKey(XKeyEvent& event);
    void onButton(const XButtonEvent& event);
    void onPointerMoved(unsigned int state, int x, int y);
    void onExpose(const XExposeEvent& event);
    void onPropertyChange(const XPropertyEvent& event);
    bool iconic();

    Display* display_;
    // Guards every Xlib call on display_, and framebuffer_, scale_, size_ and the cursor fields.
    std::mutex displayLock_;
    MessagePump pump_;
    bool complete_ = false;  // everything the window needs was had
    ::Window window_ = 0;
    Colormap colormap_ = 0;
    std::unique_ptr<Framebuffer> framebuffer_;
    int scale_ = 1;  // device pixels per pixel of the runtime, each way
    Size size_;      // of the client area, in device pixels
    ::Cursor hiddenCursor_ = 0;
    ::Cursor arrowCursor_ = 0;
    Cursor cursor_ = Cursor::Arrow;       // the one shown
    std::atomic<bool> mapped_{false};     // as show() asked
    std::atomic<bool> iconified_{false};  // as the window manager says
    std::atomic<bool> destroyed_{false};
    // Window thread: the keys seen going down and not yet up, to tell repeats from presses.
    std::bitset<256> keysDown_;
};

}  // namespace platform::x11
