// The seat's keyboard and pointer, translated into the window procedure's messages. Everything
// here runs with the window's lock held: on the window thread (the listeners while it
// dispatches, the repeat when its timer ticks), and applyCursor also for setCursor.
#include <linux/input-event-codes.h>
#include <wayland-cursor.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/messages.h"
#include "platform/wayland/scale.h"
#include "platform/wayland/window.h"

namespace platform::wayland {

namespace {

// One notch of the wheel, and the distance a wheel without clicks travels for one.
constexpr int kWheelDelta = 120;
constexpr double kNotchDistance = 10;

// The cursor's size in surface units where XCURSOR_SIZE does not say.
constexpr int kCursorSize = 24;

struct MouseButton {
    uint32_t button;  // the kernel's number
    uint32_t down;
    uint32_t up;
    uintptr_t bit;
};

constexpr MouseButton kMouseButtons[] = {
    {BTN_LEFT, msg::kLeftButtonDown, msg::kLeftButtonUp, msg::kLeftButtonBit},
    {BTN_MIDDLE, msg::kMiddleButtonDown, msg::kMiddleButtonUp, msg::kMiddleButtonBit},
    {BTN_RIGHT, msg::kRightButtonDown, msg::kRightButtonUp, msg::kRightButtonBit},
};

WaylandWindow& windowOf(void* data) {
    return *static_cast<WaylandWindow*>(data);
}

int cursorSize() {
    const char* size = std::getenv("XCURSOR_SIZE");
    const int parsed = size != nullptr ? std::atoi(size) : 0;
    return parsed > 0 ? parsed : kCursorSize;
}

}  // namespace

// The listeners reach the window's private parts through these.
struct SeatListeners {
    static void keymap(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
        std::string error;
        if (!windowOf(data).keys_.loadKeymap(format, fd, size, error))
            std::fprintf(stderr, "Trivanta: %s; keys are ignored.\n", error.c_str());
    }
    static void keyboardEnter(void* data, wl_keyboard*, uint32_t, wl_surface*, wl_array* keys) {
        WaylandWindow& window = windowOf(data);
        const auto* held = static_cast<const uint32_t*>(keys->data);
        for (size_t i = 0; i < keys->size / sizeof *held; ++i)
            window.keys_.setHeld(held[i], true);
    }
    // Keys let go while another window has the focus send us no release.
    static void keyboardLeave(void* data, wl_keyboard*, uint32_t, wl_surface*) {
        WaylandWindow& window = windowOf(data);
        window.keys_.releaseAll();
        window.stopRepeat();
    }
    static void key(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
        windowOf(data).onKey(key, state == WL_KEYBOARD_KEY_STATE_PRESSED);
    }
    static void modifiers(void* data, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched,
                          uint32_t locked, uint32_t group) {
        windowOf(data).keys_.setModifiers(depressed, latched, locked, group);
    }
    static void repeatInfo(void* data, wl_keyboard*, int32_t rate, int32_t delay) {
        windowOf(data).repeat_ = {std::max(rate, 0), std::max(delay, 0)};
    }

    static void pointerEnter(void* data, wl_pointer*, uint32_t serial, wl_surface* surface,
                             wl_fixed_t x, wl_fixed_t y) {
        WaylandWindow& window = windowOf(data);
        // The title bar's surfaces are libdecor's business.
        window.pointerIn_ = surface == window.surface_;
        if (!window.pointerIn_)
            return;
        window.enterSerial_ = serial;
        window.pointerX_ = wl_fixed_to_double(x);
        window.pointerY_ = wl_fixed_to_double(y);
        window.applyCursor();
        window.onPointerMoved();
    }
    static void pointerLeave(void* data, wl_pointer*, uint32_t, wl_surface*) {
        windowOf(data).pointerIn_ = false;
    }
    static void motion(void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
        WaylandWindow& window = windowOf(data);
        if (!window.pointerIn_)
            return;
        window.pointerX_ = wl_fixed_to_double(x);
        window.pointerY_ = wl_fixed_to_double(y);
        window.onPointerMoved();
    }
    static void button(void* data, wl_pointer*, uint32_t, uint32_t, uint32_t button,
                       uint32_t state) {
        WaylandWindow& window = windowOf(data);
        if (window.pointerIn_)
            window.onButton(button, state == WL_POINTER_BUTTON_STATE_PRESSED);
    }
    static void axis(void* data, wl_pointer*, uint32_t, uint32_t axis, wl_fixed_t value) {
        WaylandWindow& window = windowOf(data);
        if (!window.pointerIn_ || axis != WL_POINTER_AXIS_VERTICAL_SCROLL)
            return;
        // A wheel that clicks has said how many times already.
        if (window.wheelClicked_) {
            window.wheelClicked_ = false;
            return;
        }
        window.wheelDistance_ += wl_fixed_to_double(value);
        const int notches = static_cast<int>(window.wheelDistance_ / kNotchDistance);
        window.wheelDistance_ -= notches * kNotchDistance;
        window.onWheel(notches);
    }
    static void axisClicks(void* data, wl_pointer*, uint32_t axis, int32_t clicks) {
        WaylandWindow& window = windowOf(data);
        if (!window.pointerIn_ || axis != WL_POINTER_AXIS_VERTICAL_SCROLL)
            return;
        window.wheelClicked_ = true;
        window.onWheel(clicks);
    }
    static void frame(void* data, wl_pointer*) { windowOf(data).wheelClicked_ = false; }
    static void axisSource(void*, wl_pointer*, uint32_t) {}
    static void axisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
};

void WaylandWindow::watchSeat(uint32_t capabilities) {
    static constexpr wl_keyboard_listener kKeyboardListener = {
        .keymap = SeatListeners::keymap,
        .enter = SeatListeners::keyboardEnter,
        .leave = SeatListeners::keyboardLeave,
        .key = SeatListeners::key,
        .modifiers = SeatListeners::modifiers,
        .repeat_info = SeatListeners::repeatInfo};
    static constexpr wl_pointer_listener kPointerListener = {
        .enter = SeatListeners::pointerEnter,
        .leave = SeatListeners::pointerLeave,
        .motion = SeatListeners::motion,
        .button = SeatListeners::button,
        .axis = SeatListeners::axis,
        .frame = SeatListeners::frame,
        .axis_source = SeatListeners::axisSource,
        .axis_stop = SeatListeners::axisStop,
        .axis_discrete = SeatListeners::axisClicks,
        .axis_value120 = nullptr};  // of a version not bound
    wl_seat* seat = connection_->seat();
    const bool hasKeyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
    if (hasKeyboard && keyboard_ == nullptr) {
        keyboard_ = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(keyboard_, &kKeyboardListener, this);
    } else if (!hasKeyboard && keyboard_ != nullptr) {
        wl_keyboard_destroy(keyboard_);
        keyboard_ = nullptr;
        keys_.releaseAll();
        stopRepeat();
    }
    const bool hasPointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
    if (hasPointer && pointer_ == nullptr) {
        pointer_ = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(pointer_, &kPointerListener, this);
    } else if (!hasPointer && pointer_ != nullptr) {
        wl_pointer_destroy(pointer_);
        pointer_ = nullptr;
        pointerIn_ = false;
        buttons_ = 0;
    }
}

void WaylandWindow::onKey(uint32_t key, bool pressed) {
    std::optional<KeyStroke> stroke = keys_.stroke(key, pressed);
    if (!stroke)
        return;
    keys_.setHeld(key, pressed);
    for (const Message& message : keyMessages(*stroke))
        pump_.queue(message);
    // The compositor leaves repeating held keys to us: the last key pressed repeats.
    if (pressed && repeat_.rate > 0 && keys_.repeats(key)) {
        startRepeat(key);
    } else if (pressed || key == repeatKey_) {
        stopRepeat();
    }
}

void WaylandWindow::startRepeat(uint32_t key) {
    repeatKey_ = key;
    repeating_ = true;
    repeatStarted_ = false;
    pump_.setTimer(kRepeatTimerId, repeat_.delayMs);
}

void WaylandWindow::stopRepeat() {
    if (!repeating_)
        return;
    repeating_ = false;
    pump_.killTimer(kRepeatTimerId);
}

void WaylandWindow::onRepeatTick() {
    if (!repeating_)
        return;
    if (!repeatStarted_) {
        repeatStarted_ = true;
        pump_.setTimer(kRepeatTimerId, std::max(1000 / std::max(repeat_.rate, 1), 1));
    }
    if (const std::optional<KeyStroke> stroke = keys_.repeatStroke(repeatKey_)) {
        for (const Message& message : keyMessages(*stroke))
            pump_.queue(message);
    }
}

uintptr_t WaylandWindow::buttonBits() const {
    uintptr_t bits = buttons_;
    if (keys_.shift())
        bits |= msg::kShiftBit;
    if (keys_.control())
        bits |= msg::kControlBit;
    return bits;
}

// The pointer's position in the runtime's pixels.
intptr_t WaylandWindow::pointerParam() const {
    const Size surface = framebuffer_->scaling().surface;
    return msg::pointParam(toPicture(pointerX_, picture_.width, surface.width),
                           toPicture(pointerY_, picture_.height, surface.height));
}

void WaylandWindow::onPointerMoved() {
    const Message move{msg::kMouseMove, buttonBits(), pointerParam()};
    if (pump_.replaceLastMove(move))
        return;
    // The window procedure chooses the cursor before it sees the move, as on the desktop.
    pump_.queue({msg::kSetCursor, 0, 0});
    pump_.queue(move);
}

void WaylandWindow::onButton(uint32_t button, bool pressed) {
    for (const MouseButton& known : kMouseButtons) {
        if (known.button != button)
            continue;
        // The message tells the buttons held after it.
        buttons_ = pressed ? buttons_ | known.bit : buttons_ & ~known.bit;
        pump_.queue({pressed ? known.down : known.up, buttonBits(), pointerParam()});
    }
}

// Positive notches turn the wheel towards the user, which scrolls down.
void WaylandWindow::onWheel(int notches) {
    if (notches == 0)
        return;
    const int delta = -notches * kWheelDelta;
    const uintptr_t high = static_cast<uintptr_t>(static_cast<uint16_t>(delta)) << 16;
    pump_.queue({msg::kMouseWheel, high | buttonBits(), pointerParam()});
}

void WaylandWindow::applyCursor() {
    if (pointer_ == nullptr)
        return;
    if (cursor_ == Cursor::Hidden) {
        wl_pointer_set_cursor(pointer_, enterSerial_, nullptr, 0, 0);
        return;
    }
    int scale = connection_->largestScale();
    if (cursorTheme_ == nullptr) {
        cursorTheme_ = wl_cursor_theme_load(std::getenv("XCURSOR_THEME"), cursorSize() * scale,
                                            connection_->shm());
    }
    wl_cursor* arrow =
        cursorTheme_ != nullptr ? wl_cursor_theme_get_cursor(cursorTheme_, "left_ptr") : nullptr;
    if (arrow == nullptr || arrow->image_count == 0)
        return;
    wl_cursor_image* image = arrow->images[0];
    // A buffer scale must divide the buffer's size.
    if (image->width % scale != 0 || image->height % scale != 0)
        scale = 1;
    if (cursorSurface_ == nullptr) {
        cursorSurface_ = wl_compositor_create_surface(connection_->compositor());
        wl_surface_attach(cursorSurface_, wl_cursor_image_get_buffer(image), 0, 0);
        wl_surface_set_buffer_scale(cursorSurface_, scale);
        wl_surface_damage_buffer(cursorSurface_, 0, 0, static_cast<int32_t>(image->width),
                                 static_cast<int32_t>(image->height));
        wl_surface_commit(cursorSurface_);
    }
    wl_pointer_set_cursor(pointer_, enterSerial_, cursorSurface_,
                          static_cast<int32_t>(image->hotspot_x) / scale,
                          static_cast<int32_t>(image->hotspot_y) / scale);
}

}  // namespace platform::wayland
