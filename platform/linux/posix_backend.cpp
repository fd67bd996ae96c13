#include "platform/linux/posix_backend.h"

#include <sys/prctl.h>
#include <time.h>

#include <cerrno>

#include "platform/time_units.h"

namespace platform {

namespace {

int64_t monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t{now.tv_sec} * kNanosecondsPerSecond + now.tv_nsec;
}

// The final moments of a wait left to polling the clock. With the timer slack lowered a pause
// ends some tens of microseconds late on an idle machine; polling only the last of them keeps
// a frame's processor time small while the wait still ends that close to its deadline.
constexpr int64_t kPollNs = 20'000;

// The kernel may let a sleep run late by the thread's timer slack, 50 µs by default; frame
// pacing wants its sleeps to end on time.
void lowerTimerSlack() {
    thread_local bool lowered = false;
    if (lowered)
        return;
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    lowered = true;
}

}  // namespace

int64_t PosixBackend::counter() {
    return monotonicNs();
}

int64_t PosixBackend::counterFrequency() {
    return kNanosecondsPerSecond;
}

uint32_t PosixBackend::tickCount() {
    return static_cast<uint32_t>(monotonicNs() / kNanosecondsPerMs);
}

void PosixBackend::sleepMs(int ms) {
    if (ms > 0)
        pauseNs(ms * kNanosecondsPerMs);
}

void PosixBackend::pauseNs(int64_t nanoseconds) {
    if (nanoseconds <= 0)
        return;
    lowerTimerSlack();
    // An absolute deadline keeps interruptions by signals from stretching the sleep.
    const int64_t deadline = monotonicNs() + nanoseconds;
    const timespec until{static_cast<time_t>(deadline / kNanosecondsPerSecond),
                         static_cast<long>(deadline % kNanosecondsPerSecond)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

bool PosixBackend::sleepTowards(int64_t remainingNs) {
    if (remainingNs <= kPollNs)
        return false;
    pauseNs(remainingNs - kPollNs);
    return true;
}

}  // namespace platform
