// Sleeping as precisely as Windows allows: on a high-resolution waitable timer where Windows
// has one (10, version 1803, and later), else on the plain sleep with the system's timer
// resolution raised to a millisecond. Under Wine, which takes the timer's high-resolution flag
// but wakes its timers on a millisecond tick, on the system's own delay, which Wine keeps to the
// microsecond.
#pragma once

#include <windows.h>

#include <cstdint>

namespace platform::win32 {

// One per thread: a waitable timer wakes only the thread that waits on it.
class Sleeper {
public:
    Sleeper();
    ~Sleeper();
    Sleeper(const Sleeper&) = delete;
    Sleeper& operator=(const Sleeper&) = delete;

    void sleepNs(int64_t nanoseconds);

    // Waits on the system's delay call, in units of 100 ns; null where it is not the best wait.
    using DelayExecution = LONG(NTAPI*)(BOOLEAN alertable, LARGE_INTEGER* interval);

private:
    DelayExecution delay_ = nullptr;
    HANDLE timer_ = nullptr;
};

}  // namespace platform::win32
