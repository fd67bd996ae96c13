// What the headless window has shown.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/rect.h"

namespace platform::headless {

class FrameRecorder {
public:
    // A presentation to a client area of the given size; outside `changed` the picture is
    // what the window showed before.
    void present(double atMs, const uint32_t* pixels, int stride, int width, int height,
                 const Rect& changed, Size client);
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
