// The translation of X events into the window procedure's messages. Everything here runs on the
// window thread with the display locked.
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "platform/linux/keysyms.h"
#include "platform/messages.h"
#include "platform/x11/properties.h"
#include "platform/x11/scale.h"
#include "platform/x11/window.h"

namespace platform::x11 {

namespace {

// One notch of the wheel.
constexpr int kWheelDelta = 120;

// The messages of the buttons that have them: X numbers left, middle, right as 1, 2, 3.
struct MouseButton {
    unsigned int button;
    uint32_t down;
    uint32_t up;
    unsigned int mask;  // in X's state mask
};

constexpr MouseButton kMouseButtons[] = {
    {Button1, msg::kLeftButtonDown, msg::kLeftButtonUp, Button1Mask},
    {Button2, msg::kMiddleButtonDown, msg::kMiddleButtonUp, Button2Mask},
    {Button3, msg::kRightButtonDown, msg::kRightButtonUp, Button3Mask},
};

// A mouse message's wparam from X's state mask.
uintptr_t buttonBits(unsigned int state) {
    uintptr_t bits = 0;
    if ((state & Button1Mask) != 0)
        bits |= msg::kLeftButtonBit;
    if ((state & Button3Mask) != 0)
        bits |= msg::kRightButtonBit;
    if ((state & Button2Mask) != 0)
        bits |= msg::kMiddleButtonBit;
    if ((state & ShiftMask) != 0)
        bits |= msg::kShiftBit;
    if ((state & ControlMask) != 0)
        bits |= msg::kControlBit;
    return bits;
}

Message wheelMessage(const XButtonEvent& event) {
    const int delta = event.button == Button4 ? kWheelDelta : -kWheelDelta;
    const uintptr_t high = static_cast<uintptr_t>(static_cast<uint16_t>(delta)) << 16;
    // The wheel reports where the pointer is on the screen, as on the desktop.
    return {msg::kMouseWheel, high | buttonBits(event.state),
            msg::pointParam(event.x_root, event.y_root)};
}

}  // namespace

void X11Window::readEvents() {
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        // Once the window is destroyed nothing about it matters any more.
        if (!destroyed_)
            handleEvent(event);
    }
}

void X11Window::handleEvent(XEvent& event) {
    switch (event.type) {
        case KeyPress:
        case KeyRelease:
            onKey(event.xkey);
            break;
        case ButtonPress:
        case ButtonRelease:
            onButton(event.xbutton);
            break;
        case MotionNotify:
            onPointerMoved(event.xmotion.state, event.xmotion.x, event.xmotion.y);
            break;
        // Grabs and ungrabs cross windows without the pointer moving.
        case EnterNotify:
            if (event.xcrossing.mode == NotifyNormal) {
                onPointerMoved(event.xcrossing.state, event.xcrossing.x, event.xcrossing.y);
            }
            break;
        // Keys let go while another window has the focus send us no release.
        case FocusOut:
            keysDown_.reset();
            break;
        case Expose:
            onExpose(event.xexpose);
            break;
        case ConfigureNotify:
            size_ = {event.xconfigure.width, event.xconfigure.height};
            break;
        case PropertyNotify:
            onPropertyChange(event.xproperty);
            break;
        // Key symbols are looked up in Xlib's copy of the keyboard map, which must follow it.
        case MappingNotify:
            XRefreshKeyboardMapping(&event.xmapping);
            break;
        case ClientMessage:
            if (isCloseRequest(display_, event))
                pump_.queue({msg::kClose, 0, 0});
            break;
        default:
            break;
    }
}

void X11Window::onKey(XKeyEvent& event) {
    KeySym keysym = NoSymbol;
    char typed[8];
    XLookupString(&event, typed, sizeof typed, &keysym, nullptr);
    KeyStroke stroke =
        strokeOf(static_cast<uint32_t>(keysym), static_cast<uint32_t>(XLookupKeysym(&event, 0)),
                 static_cast<int>(event.keycode));
    stroke.pressed = event.type == KeyPress;
    stroke.wasDown = stroke.pressed && keysDown_[event.keycode];
    stroke.control = (event.state & ControlMask) != 0;
    stroke.alt = (event.state & Mod1Mask) != 0;
    keysDown_[event.keycode] = stroke.pressed;
    for (const Message& message : keyMessages(stroke))
        pump_.queue(message);
}

void X11Window::onButton(const XButtonEvent& event) {
    const bool pressed = event.type == ButtonPress;
    if (event.button == Button4 || event.button == Button5) {
        if (pressed)
            pump_.queue(wheelMessage(event));
        return;
    }
    for (const MouseButton& button : kMouseButtons) {
        if (button.button != event.button)
            continue;
        // X's state is from before the event; the message tells the buttons held after it.
        const unsigned int state = pressed ? event.state | button.mask : event.state & ~button.mask;
        pump_.queue({pressed ? button.down : button.up, buttonBits(state),
                     msg::pointParam(toLogical(event.x, scale_), toLogical(event.y, scale_))});
    }
}

// x and y in device pixels.
void X11Window::onPointerMoved(unsigned int state, int x, int y) {
    const Message move{msg::kMouseMove, buttonBits(state),
                       msg::pointParam(toLogical(x, scale_), toLogical(y, scale_))};
    if (pump_.replaceLastMove(move))
        return;
    // The window procedure chooses the cursor before it sees the move, as on the desktop.
    pump_.queue({msg::kSetCursor, 0, 0});
    pump_.queue(move);
}

void X11Window::onExpose(const XExposeEvent& event) {
    framebuffer_->contentsLost();
    // One paint message for the whole series of exposed rectangles.
    if (event.count == 0)
        pump_.requestPaint();
}

void X11Window::onPropertyChange(const XPropertyEvent& event) {
    if (event.atom == XInternAtom(display_, "WM_STATE", False))
        iconified_ = iconic();
}

// Whether the window manager shows the window as an icon only.
bool X11Window::iconic() {
    const Atom wmState = XInternAtom(display_, "WM_STATE", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display_, window_, wmState, 0, 1, False, wmState, &type, &format, &count,
                       &remaining, &data);
    const bool iconic = data != nullptr && format == 32 && count == 1 &&
                        *reinterpret_cast<long*>(data) == IconicState;
    if (data != nullptr)
        XFree(data);
    return iconic;
}

}  // namespace platform::x11
