// The headless window: a window nobody sees, whose state tests can read.
#pragma once

#include <array>
#include <atomic>
#include <mutex>
#include <string>

#include "platform/backend.h"
#include "platform/headless/framebuffer.h"
#include "platform/headless/scheduler.h"

namespace platform::headless {

class HeadlessWindow : public Window {
public:
    HeadlessWindow(Scheduler& scheduler, FrameRecorder& frames, const WindowRequest& wanted);

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

    // What tests read and script.
    std::string captionUtf8();
    Cursor cursor();
    bool captured();
    void movePointer(Point client);
    void setKeyHeld(int virtualKey, bool held);

    // Where the client area's top-left corner lies on the virtual screen.
    static constexpr Point kClientOrigin{100, 100};

private:
    Scheduler& scheduler_;
    FrameRecorder& frames_;
    std::mutex lock_;  // guards the fields below
    std::string caption_;
    Size client_;
    bool visible_ = false;
    Cursor cursor_ = Cursor::Arrow;
    bool captured_ = false;
    Point pointer_{-1, -1};
    std::array<std::atomic<bool>, 256> held_{};
};

}  // namespace platform::headless
