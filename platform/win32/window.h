// The runtime's window on Windows: a Unicode window made and pumped on the window thread.
//
// Windows hands a window's messages to a window procedure from inside DispatchMessage. This
// backend's procedure answers what Windows needs answered at once (painting, the cursor, the
// close button) and translates the rest into the runtime's messages, which it keeps in a short
// queue; nextMessage() runs GetMessage, TranslateMessage and DispatchMessage until that queue
// has something and returns it. The runtime's window procedure therefore runs on the window
// thread, right after Windows' one, exactly as on the other backends.
#pragma once

#include <windows.h>

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/win32/typing.h"

namespace platform::win32 {

class Win32Window final : public Window {
public:
    // Window thread: makes the window, hidden, or returns null and says why.
    static std::unique_ptr<Win32Window> create(const WindowRequest& wanted, std::string& error);
    ~Win32Window() override;

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

    HWND handle() const { return window_; }

private:
    explicit Win32Window(bool topmost) : topmost_(topmost) {}
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    // Window thread: what Windows' window procedure does with one message.
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    void onPaint();
    void takePosted();
    void queue(uint32_t message, uintptr_t wparam, intptr_t lparam);

    HWND window_ = nullptr;
    const bool topmost_;
    // Window thread: the runtime's messages waiting for nextMessage().
    std::deque<Message> pending_;
    CharTranslator typing_;
    // Messages other threads posted, handed over when their wake-up message arrives.
    std::mutex postedLock_;  // guards posted_
    std::deque<Message> posted_;
    // Serialises presentations, which both threads make.
    std::mutex presentLock_;
    // The window lost what it showed: the next presentation sends the whole picture.
    std::atomic<bool> contentsLost_{true};
    // What the window shows, guarded by presentLock_.
    std::vector<uint32_t> shown_;
    Size shownSize_;
    std::atomic<bool> destroyed_{false};
};

}  // namespace platform::win32
