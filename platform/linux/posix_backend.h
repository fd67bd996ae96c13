// The clock and the sleeps of a window system's backend on Linux: a window-system backend derives
// from it and adds its window, the desktop's size and the error box.
#pragma once

#include <cstdint>

#include "platform/backend.h"

namespace platform {

class PosixBackend : public Backend {
public:
    int64_t counter() override;
    int64_t counterFrequency() override;
    uint32_t tickCount() override;
    void sleepMs(int ms) override;
    void pauseNs(int64_t nanoseconds) override;
    // A pause ends within the scheduler's wake-up latency whatever its length, so a wait sleeps
    // once, to just before its end, rather than whole milliseconds and then the rest: a frame
    // wakes the thread once.
    bool sleepTowards(int64_t remainingNs) override;
};

}  // namespace platform
