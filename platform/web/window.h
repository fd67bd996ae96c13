// The runtime's window in the browser: a canvas on the page. The page's own thread (the
// browser's main thread) owns the canvas and receives the DOM's events; the runtime's window
// thread and main thread are workers. The page's event handlers queue messages here, where the
// window thread takes them with the timers' ticks, and presentations leave pixels in a store
// that the page's thread paints onto the canvas, only the part that changed.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <vector>

#include "platform/backend.h"
#include "platform/keys.h"

namespace platform::web {

class WebWindow final : public Window {
public:
    // Opens the canvas on the page, at the client size asked for.
    explicit WebWindow(const WindowRequest& wanted);

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

    // The page's thread: a key went down or up.
    void keyEvent(const KeyStroke& stroke);
    // The page's thread: over the canvas, whose top-left corner lies at `origin` of the page,
    // the pointer moved, a button changed or the wheel turned.
    void pointerEvent(const Message& message, Point origin);
    // The page's thread: the pointer left the canvas.
    void pointerLeft();
    // The page's thread: the page lost the keyboard, so no key is held any more.
    void lostFocus();
    // The page's thread: paints what changed since the last paint.
    void paint();

    // The window on the page, or null before it is made.
    static WebWindow* onPage();

private:
    struct Timer {
        double intervalMs;
        double dueMs;
    };

    // Called with queueLock_ held: a due timer's tick, if any, and else when the next is due.
    bool takeTick(double nowMs, Message& tick, double& nextDueMs);
    // Called with storeLock_ held.
    void resizeStore(Size size);

    std::mutex queueLock_;  // guards queue_ and timers_
    std::condition_variable queued_;
    std::deque<Message> queue_;
    std::map<uintptr_t, Timer> timers_;

    std::mutex storeLock_;               // guards the fields below it
    std::vector<uint32_t> store_;        // what the canvas shows, in the runtime's 0x00RRGGBB words
    std::vector<uint32_t> paintedRows_;  // the rectangle being painted, in the canvas's RGBA bytes
    Size storeSize_;
    Rect unpainted_;
    bool blank_ = true;  // nothing painted on the canvas since it was made
    bool paintAsked_ = false;

    std::atomic<bool> visible_{false};
    std::atomic<bool> pointerInside_{false};
    std::atomic<int> originX_{0};
    std::atomic<int> originY_{0};
    std::array<std::atomic<bool>, 256> held_{};
};

}  // namespace platform::web
