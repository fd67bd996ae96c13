#include "platform/win32/sleeper.h"

#include <mmsystem.h>

#include <algorithm>

#include <mutex>

#include "platform/time_units.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace platform::win32 {

namespace {

constexpr int64_t kNanosecondsPerTimerUnit = 100;

// The plain sleep otherwise rounds up to the system's tick, 15.6 ms by default. The raised
// resolution lasts as long as the process.
void raiseTimerResolution() {
    static std::once_flag raised;
    std::call_once(raised, [] { timeBeginPeriod(1); });
}

}  // namespace

Sleeper::Sleeper()
    : timer_(CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                    TIMER_ALL_ACCESS)) {
    if (timer_ == nullptr)
        raiseTimerResolution();
}

Sleeper::~Sleeper() {
    if (timer_ != nullptr)
        CloseHandle(timer_);
}

void Sleeper::sleepNs(int64_t nanoseconds) {
    if (nanoseconds <= 0)
        return;
    if (timer_ != nullptr) {
        // A negative due time is relative, in units of 100 ns.
        LARGE_INTEGER due;
        due.QuadPart = -std::max<int64_t>(nanoseconds / kNanosecondsPerTimerUnit, 1);
        if (SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE))
            WaitForSingleObject(timer_, INFINITE);
        return;
    }
    // Without the timer a pause shorter than a millisecond only yields; the caller polls the
    // clock until its deadline.
    Sleep(static_cast<DWORD>(nanoseconds / kNanosecondsPerMs));
}

}  // namespace platform::win32
