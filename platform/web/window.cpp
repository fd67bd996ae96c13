#include "platform/web/window.h"

#include <emscripten/emscripten.h>
#include <emscripten/threading.h>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "platform/changed_rows.h"
#include "platform/gbk.h"
#include "platform/messages.h"
#include "platform/web/page.h"

namespace platform::web {

namespace {

std::atomic<WebWindow*> windowOnPage{nullptr};

// A pixel word 0x00RRGGBB as the canvas stores it: the bytes R, G, B and an opaque alpha.
uint32_t canvasWord(uint32_t pixel) {
    return 0xFF000000u | (pixel & 0xFF) << 16 | (pixel & 0xFF00) | (pixel >> 16 & 0xFF);
}

void paintWindow(WebWindow* window) {
    window->paint();
}

}  // namespace

WebWindow::WebWindow(const WindowRequest& wanted) {
    const Size size{std::max(wanted.width, 1), std::max(wanted.height, 1)};
    {
        const std::lock_guard lock(storeLock_);
        resizeStore(size);
    }
    trivanta_page_open(size.width, size.height);
    setCaption(wanted.caption);
    windowOnPage = this;
}

WebWindow* WebWindow::onPage() {
    return windowOnPage;
}

bool WebWindow::takeTick(double nowMs, Message& tick, double& nextDueMs) {
    nextDueMs = INFINITY;
    for (auto& [id, timer] : timers_) {
        if (timer.dueMs <= nowMs) {
            // Ticks missed meanwhile make one, as a desktop's timer gives them.
            timer.dueMs += timer.intervalMs;
            if (timer.dueMs <= nowMs)
                timer.dueMs = nowMs + timer.intervalMs;
            tick = {msg::kTimer, id, 0};
            return true;
        }
        nextDueMs = std::min(nextDueMs, timer.dueMs);
    }
    return false;
}

Message WebWindow::nextMessage() {
    std::unique_lock lock(queueLock_);
    for (;;) {
        if (!queue_.empty()) {
            const Message message = queue_.front();
            queue_.pop_front();
            return message;
        }
        Message tick;
        double nextDueMs = INFINITY;
        const double nowMs = emscripten_get_now();
        if (takeTick(nowMs, tick, nextDueMs))
            return tick;
        if (std::isinf(nextDueMs)) {
            queued_.wait(lock);
        } else {
            queued_.wait_for(lock, std::chrono::duration<double, std::milli>(nextDueMs - nowMs));
        }
    }
}

void WebWindow::postMessage(const Message& message) {
    const std::lock_guard lock(queueLock_);
    queue_.push_back(message);
    queued_.notify_all();
}

void WebWindow::setTimer(uintptr_t id, int intervalMs) {
    const double interval = std::max(intervalMs, kMinimumTimerMs);
    const std::lock_guard lock(queueLock_);
    timers_[id] = Timer{interval, emscripten_get_now() + interval};
    queued_.notify_all();
}

void WebWindow::killTimer(uintptr_t id) {
    const std::lock_guard lock(queueLock_);
    timers_.erase(id);
}

void WebWindow::show(bool visible) {
    visible_ = visible;
    trivanta_page_show(visible ? 1 : 0);
}

bool WebWindow::visible() {
    return visible_;
}

void WebWindow::setCaption(const char* gbk) {
    trivanta_page_set_title(gbkToUtf8(gbk).c_str());
}

Size WebWindow::clientSize() {
    const std::lock_guard lock(storeLock_);
    return storeSize_;
}

void WebWindow::setClientSize(Size size) {
    size = {std::max(size.width, 1), std::max(size.height, 1)};
    {
        const std::lock_guard lock(storeLock_);
        resizeStore(size);
    }
    trivanta_page_resize(size.width, size.height);
}

void WebWindow::resizeStore(Size size) {
    storeSize_ = size;
    store_.assign(static_cast<size_t>(size.width) * size.height, 0);
    unpainted_ = {};
    blank_ = true;
}

// A page cannot close itself; the window goes, and the runtime ends the program.
void WebWindow::destroy() {
    show(false);
    const std::lock_guard lock(queueLock_);
    timers_.clear();
    queue_.push_front({msg::kDestroy, 0, 0});
    queued_.notify_all();
}

void WebWindow::present(const uint32_t* pixels, int stride, int width, int height, Rect changed) {
    bool askPaint = false;
    {
        const std::lock_guard lock(storeLock_);
        const Rect area = intersect(changed, Rect{0, 0, std::min(width, storeSize_.width),
                                                  std::min(height, storeSize_.height)});
        // Only words that differ from what the canvas shows are written, so a frame redrawn as
        // it was asks the page's thread for nothing; the store keeps the runtime's words, so that
        // comparing converts nothing.
        const auto sourceRow = [&](int y) {
            return reinterpret_cast<const uint8_t*>(pixels + static_cast<size_t>(y) * stride +
                                                    area.left);
        };
        const auto storeRow = [&](int y) {
            return reinterpret_cast<uint8_t*>(
                store_.data() + static_cast<size_t>(y) * storeSize_.width + area.left);
        };
        // A canvas made afresh is transparent, so its first picture is painted whole, even one
        // as black as the store starts.
        const Rect differs = blank_ ? copyRows(area, sizeof(uint32_t), sourceRow, storeRow)
                                    : copyChangedRows(area, sizeof(uint32_t), sourceRow, storeRow);
        blank_ = blank_ && area.empty();
        unpainted_ = unite(unpainted_, differs);
        askPaint = !unpainted_.empty() && !paintAsked_;
        paintAsked_ = paintAsked_ || askPaint;
    }
    // One paint at a time is asked of the page's thread; it takes everything changed till then.
    if (askPaint) {
        emscripten_async_run_in_main_runtime_thread(EM_FUNC_SIG_VI, paintWindow, this);
    }
}

void WebWindow::paint() {
    const std::lock_guard lock(storeLock_);
    paintAsked_ = false;
    if (unpainted_.empty())
        return;
    // Only what changed is converted to the canvas's bytes, once, by the page's thread.
    const Rect& area = unpainted_;
    paintedRows_.resize(static_cast<size_t>(area.width()) * area.height());
    auto painted = paintedRows_.begin();
    for (int y = area.top; y < area.bottom; ++y) {
        const uint32_t* row = store_.data() + static_cast<size_t>(y) * storeSize_.width;
        painted = std::transform(row + area.left, row + area.right, painted, canvasWord);
    }
    trivanta_page_paint(paintedRows_.data(), area.left, area.top, area.width(), area.height());
    unpainted_ = {};
}

void WebWindow::setCursor(Cursor cursor) {
    trivanta_page_hide_cursor(cursor == Cursor::Hidden ? 1 : 0);
}

bool WebWindow::pointerInClient() {
    return pointerInside_;
}

// The page captures the pointer itself while a button is held over the canvas, which is the
// runtime's rule; a capture can only be taken while the page handles the press.
void WebWindow::captureMouse(bool) {}

Point WebWindow::screenToClient(Point screen) {
    return {screen.x - originX_, screen.y - originY_};
}

bool WebWindow::keyHeld(int virtualKey) {
    return virtualKey >= 0 && virtualKey < 256 && held_[virtualKey];
}

void WebWindow::keyEvent(const KeyStroke& stroke) {
    if (stroke.virtualKey > 0 && stroke.virtualKey < 256)
        held_[stroke.virtualKey] = stroke.pressed;
    const std::lock_guard lock(queueLock_);
    for (const Message& message : keyMessages(stroke))
        queue_.push_back(message);
    queued_.notify_all();
}

void WebWindow::pointerLeft() {
    pointerInside_ = false;
}

void WebWindow::pointerEvent(const Message& message, Point origin) {
    pointerInside_ = true;
    originX_ = origin.x;
    originY_ = origin.y;
    const std::lock_guard lock(queueLock_);
    if (message.message == msg::kMouseMove) {
        // Only the newest position of a run of moves matters.
        if (!queue_.empty() && queue_.back().message == msg::kMouseMove) {
            queue_.back() = message;
            return;
        }
        // The window procedure chooses the cursor before it sees the move, as on the desktop.
        queue_.push_back({msg::kSetCursor, 0, 0});
    }
    queue_.push_back(message);
    queued_.notify_all();
}

void WebWindow::lostFocus() {
    for (std::atomic<bool>& held : held_)
        held = false;
}

}  // namespace platform::web
