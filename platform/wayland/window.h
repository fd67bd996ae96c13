// The runtime's window on a Wayland compositor. It has a connection of its own, whose events
// the window thread dispatches; the main thread presents, sets captions and asks about keys.
// Both hold lock_ while they touch the window's objects, and the event handlers run with it
// held. Sizes and positions it hands out and takes are in the runtime's pixels; the buffer may
// have more (platform/wayland/scale.h).
#pragma once

#include <wayland-client.h>

#include <atomic>
#include <limits>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/linux/message_pump.h"
#include "platform/wayland/connection.h"
#include "platform/wayland/framebuffer.h"
#include "platform/wayland/keyboard.h"
#include "platform/wayland/toplevel.h"

struct wl_cursor_theme;
struct wp_viewport;
struct wp_fractional_scale_v1;

namespace platform::wayland {

class WaylandWindow final : public Window {
public:
    // Window thread: makes the window on `connection`, not yet shown, or returns null and says
    // why.
    static std::unique_ptr<WaylandWindow> create(std::unique_ptr<Connection> connection,
                                                 const WindowRequest& wanted, std::string& error);
    ~WaylandWindow() override;

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

private:
    friend struct SeatListeners;

    // The window's own timers, numbered where the runtime's are not: key repeat, and the wait
    // for a frame the compositor may never announce.
    static constexpr uintptr_t kRepeatTimerId = std::numeric_limits<uintptr_t>::max();
    static constexpr uintptr_t kFrameTimerId = kRepeatTimerId - 1;

    WaylandWindow(std::unique_ptr<Connection> connection, const WindowRequest& wanted);
    void createSurface();
    bool rescale();
    ScaleInputs scaleInputs() const;
    void makeToplevel();
    void dropToplevel();
    void commitSurface();
    void sendRequests();
    void dispatchEvents();
    void onOwnTimer(uintptr_t id);
    static void onSurfaceEnter(void* data, wl_surface* surface, wl_output* output);
    static void onSurfaceLeave(void* data, wl_surface* surface, wl_output* output);
    static void onPreferredScale(void* data, wp_fractional_scale_v1* scale, uint32_t scale120);

    // input.cpp: the seat's keyboard and pointer. Called with lock_ held.
    void watchSeat(uint32_t capabilities);
    void onKey(uint32_t key, bool pressed);
    void startRepeat(uint32_t key);
    void stopRepeat();
    void onRepeatTick();
    void onPointerMoved();
    void onButton(uint32_t button, bool pressed);
    void onWheel(int notches);
    uintptr_t buttonBits() const;
    intptr_t pointerParam() const;
    void applyCursor();

    std::unique_ptr<Connection> connection_;
    // Guards everything below but the pump and the atomics.
    std::mutex lock_;
    MessagePump pump_;
    bool complete_ = false;  // everything the window needs was had
    wl_surface* surface_ = nullptr;
    wp_viewport* viewport_ = nullptr;
    wp_fractional_scale_v1* fractionalScale_ = nullptr;
    std::unique_ptr<Framebuffer> framebuffer_;
    std::unique_ptr<Toplevel> toplevel_;
    bool configured_ = false;  // the toplevel has had its first configure
    bool frameTimerArmed_ = false;
    std::string caption_;  // UTF-8
    bool undecorated_ = false;
    Size picture_;  // the client area, in the runtime's pixels
    int forcedScale_ = 0;
    int preferred120_ = 0;
    std::vector<wl_output*> outputsEntered_;

    // Input.
    wl_keyboard* keyboard_ = nullptr;
    wl_pointer* pointer_ = nullptr;
    Keyboard keys_;
    KeyRepeat repeat_;
    uint32_t repeatKey_ = 0;
    bool repeating_ = false;
    bool repeatStarted_ = false;  // past the delay
    bool pointerIn_ = false;      // the pointer is over our surface
    double pointerX_ = 0;         // on the surface, in its units
    double pointerY_ = 0;
    uintptr_t buttons_ = 0;      // the mouse buttons held, as message bits
    bool wheelClicked_ = false;  // the wheel's clicks came, its distance follows
    double wheelDistance_ = 0;   // of a wheel that does not click, not yet a notch
    uint32_t enterSerial_ = 0;
    Cursor cursor_ = Cursor::Arrow;
    wl_cursor_theme* cursorTheme_ = nullptr;
    wl_surface* cursorSurface_ = nullptr;

    std::atomic<bool> shown_{false};
    std::atomic<bool> destroyed_{false};
};

}  // namespace platform::wayland
