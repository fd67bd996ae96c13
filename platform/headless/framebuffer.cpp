#include "platform/headless/framebuffer.h"

#include <algorithm>

namespace platform::headless {

void FrameRecorder::present(double atMs, const uint32_t* pixels, int stride, int width, int height,
                            int clientWidth, int clientHeight) {
    std::lock_guard guard(lock_);
    ++count_;
    // The window keeps what it showed where nothing new lands, like a real one.
    if (last_.width != clientWidth || last_.height != clientHeight) {
        last_.width = clientWidth;
        last_.height = clientHeight;
        last_.pixels.assign(static_cast<size_t>(clientWidth) * clientHeight, 0);
    }
    last_.atMs = atMs;
    const int rows = std::min(height, clientHeight);
    const int columns = std::min(width, clientWidth);
    for (int y = 0; y < rows; ++y) {
        const uint32_t* row = pixels + static_cast<size_t>(y) * stride;
        std::copy(row, row + columns, last_.pixels.begin() + static_cast<size_t>(y) * clientWidth);
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
