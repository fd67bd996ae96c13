// The page's events, as platform/web/page_library.js hands them over on the page's thread, made
// into the window's messages.
#include <emscripten/emscripten.h>

#include <cstdint>

#include "platform/messages.h"
#include "platform/web/keyboard.h"
#include "platform/web/window.h"

namespace {

using platform::Message;
using platform::Point;
using platform::web::WebWindow;

// What the pointer did, as the page numbers it.
enum PointerChange { kMoved = 0, kPressed = 1, kReleased = 2, kWheel = 3, kLeft = 4 };

// One notch of the wheel.
constexpr int kWheelDelta = 120;

// The DOM numbers buttons 0 left, 1 middle, 2 right.
uint32_t buttonMessage(int button, bool pressed) {
    switch (button) {
        case 0:
            return pressed ? msg::kLeftButtonDown : msg::kLeftButtonUp;
        case 1:
            return pressed ? msg::kMiddleButtonDown : msg::kMiddleButtonUp;
        default:
            return pressed ? msg::kRightButtonDown : msg::kRightButtonUp;
    }
}

}  // namespace

extern "C" {

// A keydown or keyup; `character` is what the key's `key` names when it is one character.
EMSCRIPTEN_KEEPALIVE void trivanta_page_key(int keyCode, int character, int location, int pressed,
                                            int repeat, int control, int alt) {
    WebWindow* window = WebWindow::onPage();
    if (window == nullptr)
        return;
    platform::web::DomKey key;
    key.keyCode = keyCode;
    key.character = static_cast<char32_t>(character);
    key.location = static_cast<platform::web::KeyLocation>(location);
    key.pressed = pressed != 0;
    key.repeat = repeat != 0;
    key.control = control != 0;
    key.alt = alt != 0;
    window->keyEvent(platform::web::strokeOf(key));
}

// The pointer at (x, y) of the client area, whose top-left corner is at (originX, originY) of
// the page; `buttons` are the mouse message's button and modifier bits after the change, and
// `detail` the button pressed or released, or the wheel's direction (1 away from the user).
EMSCRIPTEN_KEEPALIVE void trivanta_page_pointer(int change, int x, int y, int originX, int originY,
                                                int buttons, int detail) {
    WebWindow* window = WebWindow::onPage();
    if (window == nullptr)
        return;
    if (change == kLeft) {
        window->pointerLeft();
        return;
    }
    const auto bits = static_cast<uintptr_t>(buttons);
    const intptr_t at = msg::pointParam(x, y);
    Message message{msg::kMouseMove, bits, at};
    if (change == kPressed || change == kReleased) {
        message.message = buttonMessage(detail, change == kPressed);
    } else if (change == kWheel) {
        // The wheel reports where the pointer is on the page, as a desktop's on the screen.
        const auto delta = static_cast<uint16_t>(detail > 0 ? kWheelDelta : -kWheelDelta);
        message = {msg::kMouseWheel, bits | uintptr_t{delta} << 16,
                   msg::pointParam(x + originX, y + originY)};
    }
    window->pointerEvent(message, Point{originX, originY});
}

EMSCRIPTEN_KEEPALIVE void trivanta_page_blur() {
    if (WebWindow* window = WebWindow::onPage())
        window->lostFocus();
}

}  // extern "C"
