#include "platform/headless/window.h"

#include <algorithm>

#include "platform/gbk.h"
#include "platform/messages.h"
#include "platform/time_units.h"

namespace platform::headless {

HeadlessWindow::HeadlessWindow(Scheduler& scheduler, FrameRecorder& frames,
                               const WindowRequest& wanted)
    : scheduler_(scheduler), frames_(frames), client_{wanted.width, wanted.height} {
    setCaption(wanted.caption);
    scheduler_.windowMade();
}

Message HeadlessWindow::nextMessage() {
    return scheduler_.nextMessage();
}

void HeadlessWindow::postMessage(const Message& message) {
    scheduler_.post(message);
}

void HeadlessWindow::setTimer(uintptr_t id, int intervalMs) {
    scheduler_.setTimer(id, int64_t{std::max(intervalMs, kMinimumTimerMs)} * kNanosecondsPerMs);
}

void HeadlessWindow::killTimer(uintptr_t id) {
    scheduler_.killTimer(id);
}

void HeadlessWindow::show(bool visible) {
    std::lock_guard guard(lock_);
    visible_ = visible;
}

bool HeadlessWindow::visible() {
    std::lock_guard guard(lock_);
    return visible_;
}

void HeadlessWindow::setCaption(const char* gbk) {
    std::string utf8 = gbkToUtf8(gbk);
    std::lock_guard guard(lock_);
    caption_ = std::move(utf8);
}

Size HeadlessWindow::clientSize() {
    std::lock_guard guard(lock_);
    return client_;
}

void HeadlessWindow::setClientSize(Size size) {
    std::lock_guard guard(lock_);
    client_ = size;
}

void HeadlessWindow::destroy() {
    show(false);
    scheduler_.postFirst({msg::kDestroy, 0, 0});
}

// Every presentation is recorded, so that tests see exactly what the window shows.
void HeadlessWindow::present(const uint32_t* pixels, int stride, int width, int height,
                             Rect changed) {
    frames_.present(static_cast<double>(scheduler_.now()) / kNanosecondsPerMs, pixels, stride,
                    width, height, changed, clientSize());
}

void HeadlessWindow::setCursor(Cursor cursor) {
    std::lock_guard guard(lock_);
    cursor_ = cursor;
}

bool HeadlessWindow::pointerInClient() {
    std::lock_guard guard(lock_);
    return pointer_.x >= 0 && pointer_.y >= 0 && pointer_.x < client_.width &&
           pointer_.y < client_.height;
}

void HeadlessWindow::captureMouse(bool capture) {
    std::lock_guard guard(lock_);
    captured_ = capture;
}

Point HeadlessWindow::screenToClient(Point screen) {
    return {screen.x - kClientOrigin.x, screen.y - kClientOrigin.y};
}

bool HeadlessWindow::keyHeld(int virtualKey) {
    return virtualKey >= 0 && virtualKey < 256 && held_[virtualKey];
}

std::string HeadlessWindow::captionUtf8() {
    std::lock_guard guard(lock_);
    return caption_;
}

Cursor HeadlessWindow::cursor() {
    std::lock_guard guard(lock_);
    return cursor_;
}

bool HeadlessWindow::captured() {
    std::lock_guard guard(lock_);
    return captured_;
}

void HeadlessWindow::movePointer(Point client) {
    std::lock_guard guard(lock_);
    pointer_ = client;
}

void HeadlessWindow::setKeyHeld(int virtualKey, bool held) {
    if (virtualKey >= 0 && virtualKey < 256)
        held_[virtualKey] = held;
}

}  // namespace platform::headless
