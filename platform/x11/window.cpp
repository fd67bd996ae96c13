#include "platform/x11/window.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>

#include <algorithm>

#include "platform/gbk.h"
#include "platform/linux/keysyms.h"
#include "platform/messages.h"
#include "platform/x11/display.h"
#include "platform/x11/properties.h"
#include "platform/x11/scale.h"

namespace platform::x11 {

namespace {

constexpr long kEventMask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                            ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
                            StructureNotifyMask | FocusChangeMask | PropertyChangeMask;

// X forbids windows without area.
Size atLeastOnePixel(Size size) {
    return {std::max(size.width, 1), std::max(size.height, 1)};
}

}  // namespace

// Holds displayLock_. On release it flushes what the holder asked of the server, so that no
// request waits in Xlib's buffer while the window thread sleeps, and it wakes the window thread
// when Xlib read events off the socket for this holder: they now wait in Xlib's queue, where
// poll() on the socket cannot see them. A holder that asked nothing skips the flush, which also
// reads the socket: a frame that shows nothing new then makes no system call here.
class X11Window::DisplayLock {
public:
    explicit DisplayLock(X11Window& window)
        : window_(window), lock_(window.displayLock_), nextRequest_(NextRequest(window.display_)) {}
    ~DisplayLock() {
        if (NextRequest(window_.display_) != nextRequest_)
            XFlush(window_.display_);
        if (XEventsQueued(window_.display_, QueuedAlready) > 0)
            window_.pump_.wake();
    }
    DisplayLock(const DisplayLock&) = delete;
    DisplayLock& operator=(const DisplayLock&) = delete;

private:
    X11Window& window_;
    std::lock_guard<std::mutex> lock_;
    unsigned long nextRequest_;
};

std::unique_ptr<X11Window> X11Window::create(const WindowRequest& wanted, std::string& error) {
    Display* display = openDisplay();
    if (display == nullptr) {
        error = displayError();
        return nullptr;
    }
    VisualChoice visual{};
    if (!chooseVisual(display, visual)) {
        error = std::string("the X display \"") + DisplayString(display) +
                "\" has no true-colour visual: run the X server with a 24-bit screen";
        XCloseDisplay(display);
        return nullptr;
    }
    std::unique_ptr<X11Window> window(new X11Window(display, visual, wanted));
    if (!window->complete_) {
        error = "cannot make the window: the system is out of memory or file descriptors";
        return nullptr;
    }
    return window;
}

// The default visual when it is true-colour, as it nearly always is; else any 24-bit one.
bool X11Window::chooseVisual(Display* display, VisualChoice& choice) {
    const int screen = DefaultScreen(display);
    Visual* visual = DefaultVisual(display, screen);
    if (visual->c_class == TrueColor) {
        choice = {visual, DefaultDepth(display, screen)};
        return true;
    }
    XVisualInfo info;
    if (XMatchVisualInfo(display, screen, 24, TrueColor, &info) == 0)
        return false;
    choice = {info.visual, info.depth};
    return true;
}

X11Window::X11Window(Display* display, const VisualChoice& visual, const WindowRequest& wanted)
    : display_(display) {
    const Size size = atLeastOnePixel({wanted.width, wanted.height});
    size_ = scaleFor(size);
    createXWindow(visual);
    setWindowManagerHints(wanted);
    // A held key repeats as presses alone, without the releases X would put in between.
    XkbSetDetectableAutoRepeat(display_, True, nullptr);
    framebuffer_ = std::make_unique<Framebuffer>(display_, window_, visual.visual, visual.depth);
    complete_ = pump_.usable() && framebuffer_->resize(size, scale_);
    XFlush(display_);
}

X11Window::~X11Window() {
    framebuffer_.reset();
    // Closing the connection frees the window, its cursors and colormap on the server.
    XCloseDisplay(display_);
}

void X11Window::createXWindow(const VisualChoice& visual) {
    const ::Window root = DefaultRootWindow(display_);
    colormap_ = XCreateColormap(display_, root, visual.visual, AllocNone);
    arrowCursor_ = XCreateFontCursor(display_, XC_left_ptr);
    XSetWindowAttributes attributes{};
    // Without a background the server leaves uncovered parts alone until the window procedure
    // paints them, so nothing flickers.
    attributes.background_pixmap = None;
    attributes.border_pixel = 0;
    attributes.colormap = colormap_;
    attributes.event_mask = kEventMask;
    attributes.cursor = arrowCursor_;
    window_ = XCreateWindow(display_, root, 0, 0, size_.width, size_.height, 0, visual.depth,
                            InputOutput, visual.visual,
                            CWBackPixmap | CWBorderPixel | CWColormap | CWEventMask | CWCursor,
                            &attributes);
}

void X11Window::setWindowManagerHints(const WindowRequest& wanted) {
    XClassHint classHint{const_cast<char*>(wanted.className), const_cast<char*>(wanted.className)};
    XSetClassHint(display_, window_, &classHint);
    if (XWMHints* hints = XAllocWMHints()) {
        hints->flags = InputHint | StateHint;
        hints->input = True;
        hints->initial_state = NormalState;
        XSetWMHints(display_, window_, hints);
        XFree(hints);
    }
    setFixedSize(display_, window_, size_.width, size_.height);
    acceptCloseRequests(display_, window_);
    setWindowCaption(display_, window_, gbkToUtf8(wanted.caption));
    setWindowIcon(display_, window_, wanted.icon);
    setClientIdentity(display_, window_);
    if (wanted.borderless)
        removeDecorations(display_, window_);
    if (wanted.topmost)
        addInitialState(display_, window_, "_NET_WM_STATE_ABOVE");
}

// Chooses the factor for a client area of `size` pixels, and returns the area in device pixels.
// Called with the display locked, where it is shared.
Size X11Window::scaleFor(Size size) {
    scale_ = chooseScale(scaleRequests(display_), size, workArea(display_));
    return {size.width * scale_, size.height * scale_};
}

Message X11Window::nextMessage() {
    for (;;) {
        {
            DisplayLock lock(*this);
            readEvents();
        }
        if (const std::optional<Message> message = pump_.take())
            return *message;
        pump_.wait(ConnectionNumber(display_));
    }
}

void X11Window::postMessage(const Message& message) {
    pump_.post(message);
}

void X11Window::setTimer(uintptr_t id, int intervalMs) {
    pump_.setTimer(id, intervalMs);
}

void X11Window::killTimer(uintptr_t id) {
    pump_.killTimer(id);
}

void X11Window::show(bool visible) {
    DisplayLock lock(*this);
    if (destroyed_)
        return;
    mapped_ = visible;
    if (visible) {
        XMapWindow(display_, window_);
    } else {
        XUnmapWindow(display_, window_);
    }
}

bool X11Window::visible() {
    return mapped_ && !iconified_;
}

void X11Window::setCaption(const char* gbk) {
    const std::string utf8 = gbkToUtf8(gbk);
    DisplayLock lock(*this);
    if (destroyed_)
        return;
    setWindowCaption(display_, window_, utf8);
}

// A client area that is no whole number of enlarged pixels, as a window manager might make it,
// counts its part of a pixel as a pixel, so that the runtime sees that it is not the size it
// asked for.
Size X11Window::clientSize() {
    DisplayLock lock(*this);
    return {(size_.width + scale_ - 1) / scale_, (size_.height + scale_ - 1) / scale_};
}

void X11Window::setClientSize(Size size) {
    size = atLeastOnePixel(size);
    DisplayLock lock(*this);
    if (destroyed_)
        return;
    const Size device = scaleFor(size);
    setFixedSize(display_, window_, device.width, device.height);
    XResizeWindow(display_, window_, device.width, device.height);
    size_ = device;
    framebuffer_->resize(size, scale_);
}

void X11Window::destroy() {
    {
        DisplayLock lock(*this);
        if (destroyed_)
            return;
        framebuffer_->release();
        XDestroyWindow(display_, window_);
        destroyed_ = true;
        mapped_ = false;
    }
    pump_.queue({msg::kDestroy, 0, 0});
}

void X11Window::present(const uint32_t* pixels, int stride, int width, int height, Rect changed) {
    DisplayLock lock(*this);
    if (destroyed_)
        return;
    framebuffer_->present(pixels, stride, width, height, changed);
}

bool X11Window::sharesMemory() {
    DisplayLock lock(*this);
    return framebuffer_->sharesMemory();
}

void X11Window::setCursor(Cursor cursor) {
    DisplayLock lock(*this);
    if (destroyed_ || cursor == cursor_)
        return;
    if (cursor == Cursor::Hidden && hiddenCursor_ == 0)
        hiddenCursor_ = makeHiddenCursor();
    XDefineCursor(display_, window_, cursor == Cursor::Hidden ? hiddenCursor_ : arrowCursor_);
    cursor_ = cursor;
}

// A cursor whose one pixel is transparent.
::Cursor X11Window::makeHiddenCursor() {
    const char noBits[1] = {0};
    const Pixmap empty = XCreateBitmapFromData(display_, window_, noBits, 1, 1);
    XColor black{};
    const ::Cursor hidden = XCreatePixmapCursor(display_, empty, empty, &black, &black, 0, 0);
    XFreePixmap(display_, empty);
    return hidden;
}

bool X11Window::pointerInClient() {
    DisplayLock lock(*this);
    if (destroyed_)
        return false;
    const PointerState pointer = queryPointer();
    return pointer.onScreen && pointer.x >= 0 && pointer.y >= 0 && pointer.x < size_.width &&
           pointer.y < size_.height;
}

// Called with the display locked.
X11Window::PointerState X11Window::queryPointer() {
    PointerState pointer;
    ::Window root = 0;
    ::Window child = 0;
    int rootX = 0;
    int rootY = 0;
    pointer.onScreen = XQueryPointer(display_, window_, &root, &child, &rootX, &rootY, &pointer.x,
                                     &pointer.y, &pointer.buttons) != 0;
    return pointer;
}

void X11Window::captureMouse(bool capture) {
    DisplayLock lock(*this);
    if (destroyed_)
        return;
    if (capture) {
        constexpr unsigned kMouseEvents = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
        XGrabPointer(display_, window_, False, kMouseEvents, GrabModeAsync, GrabModeAsync, None,
                     None, CurrentTime);
    } else {
        XUngrabPointer(display_, CurrentTime);
    }
}

Point X11Window::screenToClient(Point screen) {
    DisplayLock lock(*this);
    if (destroyed_)
        return screen;
    Point client;
    ::Window child = 0;
    XTranslateCoordinates(display_, DefaultRootWindow(display_), window_, screen.x, screen.y,
                          &client.x, &client.y, &child);
    return {toLogical(client.x, scale_), toLogical(client.y, scale_)};
}

bool X11Window::keyHeld(int virtualKey) {
    DisplayLock lock(*this);
    if (destroyed_)
        return false;
    switch (virtualKey) {
        case vk::kLeftButton:
            return (queryPointer().buttons & Button1Mask) != 0;
        case vk::kRightButton:
            return (queryPointer().buttons & Button3Mask) != 0;
        case vk::kMiddleButton:
            return (queryPointer().buttons & Button2Mask) != 0;
        default:
            return keyboardKeyHeld(virtualKey);
    }
}

// Called with the display locked.
bool X11Window::keyboardKeyHeld(int virtualKey) {
    char keys[32];
    XQueryKeymap(display_, keys);
    for (const uint32_t keysym : keysymsOf(virtualKey)) {
        const KeyCode code = XKeysymToKeycode(display_, keysym);
        if (code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0)
            return true;
    }
    return false;
}

}  // namespace platform::x11
