#include "platform/headless/framebuffer.h"

#include <algorithm>

namespace platform::headless {

void FrameRecorder::present(double atMs, const uint32_t* pixels, int stride, int width, int height,
                            const Rect& changed, Size client) {
    std::lock_guard guard(lock_);
    ++count_;
    // The window keeps what it showed where nothing new lands, like a real one, so only what
    // changed is copied; a window of another size starts black and takes the whole picture.
    Rect copied = changed;
    if (last_.width != client.width || last_.height != client.height) {
        last_.width = client.width;
        last_.height = client.height;
        last_.pixels.assign(static_cast<size_t>(client.width) * client.height, 0);
        copied = Rect{0, 0, width, height};
    }
    last_.atMs = atMs;
    copied = intersect(copied,
                       Rect{0, 0, std::min(width, client.width), std::min(height, client.height)});
    for (int y = copied.top; y < copied.bottom; ++y) {
        const uint32_t* row = pixels + static_cast<size_t>(y) * stride;
        std::copy(row + copied.left, row + copied.right,
                  last_.pixels.begin() + static_cast<size_t>(y) * client.width + copied.left);
    }
    if (recording_)
        recorded_.push_back(last_);
    if (observer_)
        observer_(last_);
}

int64_t FrameRecorder::count() {
    std::lock_guard guard(lock_);
    return count_;
}

Frame FrameRecorder::last() {
    std::lock_guard guard(lock_);
    return last_;
}

void FrameRecorder::setRecording(bool on) {
    std::lock_guard guard(lock_);
    recording_ = on;
    if (!on)
        recorded_.clear();
}

void FrameRecorder::setObserver(std::function<void(const Frame&)> observer) {
    std::lock_guard guard(lock_);
    observer_ = std::move(observer);
}

std::vector<Frame> FrameRecorder::recorded() {
    std::lock_guard guard(lock_);
    return recorded_;
}

}  // namespace platform::headless
