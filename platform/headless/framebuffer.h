// What the headless window has shown.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/headless/headless.h"

namespace platform::headless {

class FrameRecorder {
public:
    void present(double atMs, const uint32_t* pixels, int stride, int width, int height,
                 int clientWidth, int clientHeight);
    int64_t count();
    Frame last();
    void setRecording(bool on);
    void setObserver(std::function<void(const Frame&)> observer);
    std::vector<Frame> recorded();

private:
    std::mutex lock_;  // guards every field below
    int64_t count_ = 0;
    Frame last_;
    bool recording_ = false;
    std::vector<Frame> recorded_;
    std::function<void(const Frame&)> observer_;
};

}  // namespace platform::headless
