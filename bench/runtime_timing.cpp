// How well the runtime keeps time and how much a frame costs, in a real window on a private X
// server: frame waits against the time asked for (beside SDL_Delay), the cadence of delayrate,
// one presentation with and without shared memory, and the processor time and wake-ups of a
// menu-like loop.
//
// Usage: trivanta_timing [calls per wait length, default 1000] [only: menu|waits|cadence|present]
#include <SDL2/SDL.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/support/frame_timing.h"
#include "platform/x11/backend.h"
#include "runtime/graph.h"
#include "tests/support/xvfb.h"

namespace {

void measureWaits(int calls) {
    SDL_Init(SDL_INIT_TIMER);
    for (int ms : {1, 5, 16, 60}) {
        reportWaits("delayframe", ms, calls, [](int wait) { delayframe(wait); });
        reportWaits("SDL_Delay", ms, calls, [](int wait) { SDL_Delay(static_cast<Uint32>(wait)); });
    }
    SDL_Quit();
}

// One presentation of a wholly redrawn page to a window of its own on the given server, each
// pixel shown `scale` device pixels each way.
void measurePresentation(const Xvfb& server, const std::string& how, int scale) {
    setenv("DISPLAY", server.name().c_str(), 1);
    setenv("TRIVANTA_SCALE", std::to_string(scale).c_str(), 1);
    const std::string label = "scale " + std::to_string(scale) + ", " + how;
    ::measurePresentation(platform::x11::backend(), label.c_str());
}

double cpuSecondsOf(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string field;
    long ticks = 0;
    for (int i = 1; i <= 15 && stat >> field; ++i) {
        if (i == 14 || i == 15)
            ticks += std::stol(field);  // user and system time
    }
    return static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// How often the process's threads were switched out, by the thread's wish (a sleep) or not,
// so far: the main thread's and the other threads' together.
struct Wakeups {
    long mainThread = 0;
    long otherThreads = 0;
};

long switchesOf(const std::filesystem::path& status) {
    std::ifstream in(status);
    long switches = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("voluntary_ctxt_switches:", 0) == 0 ||
            line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
            switches += std::stol(line.substr(line.find(':') + 1));
    }
    return switches;
}

Wakeups wakeupsSoFar() {
    Wakeups wakeups;
    const std::string self = std::to_string(getpid());
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        const long switches = switchesOf(task.path() / "status");
        (task.path().filename() == self ? wakeups.mainThread : wakeups.otherThreads) += switches;
    }
    return wakeups;
}

void measureMenuLoad(const Xvfb& server) {
    constexpr double kSeconds = 10;
    const double serverBefore = cpuSecondsOf(server.pid());
    const double selfBefore = cpuSecondsOf(getpid());
    const Wakeups wakeupsBefore = wakeupsSoFar();
    const TimingClock::time_point start = TimingClock::now();
    long frames = 0;
    for (; msSince(start) < kSeconds * 1000; ++frames)
        menuFrame(0);
    const double wall = msSince(start) / 1000;
    const Wakeups wakeups = wakeupsSoFar();
    std::printf(
        "menu loop for %.0f s, %.0f frames a second: this process %.1f%% of a core, X "
        "server %.1f%%\n",
        wall, frames / wall, 100 * (cpuSecondsOf(getpid()) - selfBefore) / wall,
        100 * (cpuSecondsOf(server.pid()) - serverBefore) / wall);
    std::printf("menu loop wake-ups a second: main thread %.0f, window thread %.0f\n",
                (wakeups.mainThread - wakeupsBefore.mainThread) / wall,
                (wakeups.otherThreads - wakeupsBefore.otherThreads) / wall);
}

}  // namespace

int main(int argc, char** argv) {
    const int calls = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const std::string only = argc > 2 ? argv[2] : "";
    auto wanted = [&](const char* part) { return only.empty() || only == part; };
    // Screens with room for the window enlarged twice.
    Xvfb server(XvfbOptions{.width = 1280, .height = 1400});
    Xvfb serverWithoutSharedMemory(
        XvfbOptions{.sharedMemory = false, .width = 1280, .height = 1400});
    if (!server.running() || !serverWithoutSharedMemory.running()) {
        std::fprintf(stderr, "no X server: %s\n", server.error().c_str());
        return 1;
    }
    setenv("DISPLAY", server.name().c_str(), 1);
    initgraph(480, 640);
    if (wanted("menu"))
        measureMenuLoad(server);
    if (wanted("waits"))
        measureWaits(calls);
    if (wanted("cadence"))
        measureCadence();
    if (wanted("present")) {
        for (const int scale : {1, 2}) {
            measurePresentation(server, "XShmPutImage:", scale);
            measurePresentation(serverWithoutSharedMemory, "XPutImage:", scale);
        }
    }
    return 0;
}
