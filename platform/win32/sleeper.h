// Sleeping as precisely as Windows allows: on a high-resolution waitable timer where Windows
// has one (10, version 1803, and later), else on the plain sleep with the system's timer
// resolution raised to a millisecond.
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

private:
    HANDLE timer_ = nullptr;
};

}  // namespace platform::win32
