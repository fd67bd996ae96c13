// The runtime's timing on Windows, as bench/runtime_timing.cpp measures it on X11: frame waits
// against the time asked for (beside the plain Sleep at a raised timer resolution), the cadence
// of delayrate, one presentation of a whole page, and the processor time of a menu-like loop.
// Under Wine it runs on whatever X server DISPLAY names.
//
// Usage: trivanta_timing.exe [calls per wait length, default 1000] [only:
// menu|waits|cadence|present]
// The runtime's names come before Windows' macros, some of which (SRCCOPY) they share.
#include "bench/support/frame_timing.h"
#include "platform/win32/backend.h"
#include "runtime/graph.h"

#include <windows.h>

#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double processCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME& time) {
        return static_cast<double>(uint64_t{time.dwHighDateTime} << 32 | time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

void measureWaits(int calls) {
    timeBeginPeriod(1);
    for (int ms : {1, 5, 16, 60}) {
        reportWaits("delayframe", ms, calls, [](int wait) { delayframe(wait); });
        reportWaits("Sleep", ms, calls, [](int wait) { Sleep(static_cast<DWORD>(wait)); });
    }
    timeEndPeriod(1);
}

void measureMenuLoad() {
    constexpr double kSeconds = 10;
    const double before = processCpuSeconds();
    const TimingClock::time_point start = TimingClock::now();
    while (msSince(start) < kSeconds * 1000)
        menuFrame(0);
    const double wall = msSince(start) / 1000;
    std::printf("menu loop for %.0f s: this process %.1f%% of a core\n", wall,
                100 * (processCpuSeconds() - before) / wall);
}

}  // namespace

int main(int argc, char** argv) {
    const int calls = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const std::string only = argc > 2 ? argv[2] : "";
    auto wanted = [&](const char* part) { return only.empty() || only == part; };
    initgraph(480, 640);
    if (wanted("menu"))
        measureMenuLoad();
    if (wanted("waits"))
        measureWaits(calls);
    if (wanted("cadence"))
        measureCadence();
    if (wanted("present"))
        measurePresentation(platform::win32::backend(), "StretchDIBits:");
    return 0;
}
