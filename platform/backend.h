// What the runtime needs from the operating system's window system, as one interface with
// backends side by side that never include each other, one folder of platform/ each: x11 (a
// window on an X server), win32, web, and headless (no display, virtual time, scripted input,
// recorded frames). A program starts on one of its build's list (platform/backend_list.h); the
// runtime's logic never sees which one runs. Fonts, code pages and pictures are the other
// services below the runtime (platform/font.h, platform/gbk.h, platform/jpeg.h).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/rect.h"

namespace platform {

// A window message, numbered as platform/messages.h numbers them.
struct Message {
    uint32_t message = 0;
    uintptr_t wparam = 0;
    intptr_t lparam = 0;
};

struct Size {
    int width = 0;
    int height = 0;
};

struct Point {
    int x = 0;
    int y = 0;
};

// How the window is made.
struct WindowRequest {
    int width = 0;  // client area
    int height = 0;
    bool borderless = false;
    bool topmost = false;
    const char* className = "";
    const char* caption = "";  // GBK
    // The window's icon in the layout of platform/icon.h; empty leaves the window system's own.
    std::span<const uint32_t> icon;
};

enum class Cursor { Hidden, Arrow };

// The shortest interval a window's timer runs at, as desktop timers have one.
inline constexpr int kMinimumTimerMs = 10;

// The runtime's one window. It is made and pumped on the window thread; the calls marked "any
// thread" may also come from the main thread, and the backend serialises them.
class Window {
public:
    virtual ~Window() = default;

    // Window thread: blocks until the next message for the window procedure. Key presses arrive
    // as a key-down followed by one character message per typed GBK byte; releases as key-ups;
    // the refresh timer as msg::kTimer with its id in wparam; the close button as msg::kClose.
    virtual Message nextMessage() = 0;
    // Any thread: queues a message behind the pending ones.
    virtual void postMessage(const Message& message) = 0;
    // Any thread: (re)arms the repeating timer `id`; intervals below kMinimumTimerMs (0 among
    // them) run at that.
    virtual void setTimer(uintptr_t id, int intervalMs) = 0;
    virtual void killTimer(uintptr_t id) = 0;

    // Any thread: maps or unmaps the window.
    virtual void show(bool visible) = 0;
    virtual bool visible() = 0;
    // Any thread: the caption, from a GBK string.
    virtual void setCaption(const char* gbk) = 0;
    virtual Size clientSize() = 0;
    virtual void setClientSize(Size size) = 0;
    // Window thread: destroys the window; a msg::kDestroy message follows.
    virtual void destroy() = 0;

    // Any thread: copies width x height pixels (0x00RRGGBB words, rows `stride` words apart) to
    // the client area's top-left corner. Outside `changed` (in the picture's pixels) the picture
    // is what the window last showed there, and the backend may skip it.
    virtual void present(const uint32_t* pixels, int stride, int width, int height,
                         Rect changed) = 0;
    // The same, with any pixel possibly changed.
    void present(const uint32_t* pixels, int stride, int width, int height) {
        present(pixels, stride, width, height, Rect{0, 0, width, height});
    }

    // Window thread: the cursor shown over the client area.
    virtual void setCursor(Cursor cursor) = 0;
    // Whether the pointer is over the client area.
    virtual bool pointerInClient() = 0;
    // Window thread: keeps mouse events coming to the window while a button is held outside it.
    virtual void captureMouse(bool capture) = 0;
    // A point in screen coordinates in client coordinates.
    virtual Point screenToClient(Point screen) = 0;
    // Any thread: whether the key of a virtual-key code is held down right now.
    virtual bool keyHeld(int virtualKey) = 0;
};

class Backend {
public:
    virtual ~Backend() = default;

    // Any thread: a high-resolution monotonic counter and its counts per second.
    virtual int64_t counter() = 0;
    virtual int64_t counterFrequency() = 0;
    // Any thread: a millisecond tick count.
    virtual uint32_t tickCount() = 0;
    // Main thread: sleeps for the given time; returns at once for 0 or less.
    virtual void sleepMs(int ms) = 0;
    // Main thread: a pause shorter than a millisecond, as precise as the platform allows, for
    // the end of a wait that is otherwise spent polling the clock.
    virtual void pauseNs(int64_t nanoseconds) = 0;
    // Main thread: one step of a wait that ends `remainingNs` from now. It sleeps towards the
    // end and leaves the final moments, in which a sleep could end late, to the caller, who
    // polls the clock through them. False when it did not sleep because only those moments are
    // left. By default whole milliseconds are slept, then all of the last fraction but the
    // final moments; a backend whose pauses end precisely at any length overrides it to sleep
    // once.
    virtual bool sleepTowards(int64_t remainingNs);

    // Window thread: makes the window, or returns null and says why in `error`.
    virtual std::unique_ptr<Window> createWindow(const WindowRequest& wanted,
                                                 std::string& error) = 0;
    // The desktop's size, for windows as large as the screen.
    virtual Size desktopSize() = 0;
    // Shows a modal error box over the window, if there is one, and returns when it is closed.
    virtual void showErrorBox(const char* title, const char* text) = 0;
};

// The backend the runtime uses: the build's default backend unless the program chose another
// before its first initgraph.
Backend& backend();
void useBackend(Backend& chosen);

// The backend of a program that chooses none, chosen once from the build's backends
// (platform/backend_list.h); a program that finds none it can start on ends with a message.
Backend& defaultBackend();

}  // namespace platform
