#include "platform/backend.h"

#include <algorithm>
#include <atomic>
#include <climits>

#include "platform/time_units.h"

namespace platform {

namespace {

std::atomic<Backend*> chosenBackend{nullptr};

// The final moments of a wait that a millisecond timer's pause may overrun: the caller polls.
constexpr int64_t kPollNs = 150'000;

}  // namespace

bool Backend::sleepTowards(int64_t remainingNs) {
    if (remainingNs >= kNanosecondsPerMs) {
        // A wait longer than an int of milliseconds sleeps again when this sleep ends.
        sleepMs(static_cast<int>(std::min<int64_t>(remainingNs / kNanosecondsPerMs, INT_MAX)));
        return true;
    }
    if (remainingNs > kPollNs) {
        pauseNs(remainingNs - kPollNs);
        return true;
    }
    return false;
}

Backend& backend() {
    Backend* current = chosenBackend.load();
    return current != nullptr ? *current : defaultBackend();
}

void useBackend(Backend& chosen) {
    chosenBackend = &chosen;
}

}  // namespace platform
