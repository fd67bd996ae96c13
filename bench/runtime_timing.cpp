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

#include "platform/x11/backend.h"
#include "runtime/graph.h"
#include "tests/support/xvfb.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(share * values.size()));
    return values[index];
}

// Times `calls` waits of `ms` and prints how far each overshot the time asked for.
void reportWaits(const char* name, int ms, int calls, const std::function<void(int)>& wait) {
    std::vector<double> overshoot;
    for (int i = 0; i < calls; ++i) {
        const Clock::time_point start = Clock::now();
        wait(ms);
        overshoot.push_back(msSince(start) - ms);
    }
    std::printf("%-12s %3d ms: earliest %+.3f ms, median overshoot %.3f ms, 99th %.3f ms\n", name,
                ms, *std::min_element(overshoot.begin(), overshoot.end()),
                percentile(overshoot, 0.5), percentile(overshoot, 0.99));
}

void measureWaits(int calls) {
    SDL_Init(SDL_INIT_TIMER);
    for (int ms : {1, 5, 16, 60}) {
        reportWaits("delayframe", ms, calls, [](int wait) { delayframe(wait); });
        reportWaits("SDL_Delay", ms, calls, [](int wait) { SDL_Delay(static_cast<Uint32>(wait)); });
    }
    SDL_Quit();
}

void measureCadence() {
    constexpr int kFrames = 600;
    delayrate(60);
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < kFrames; ++i)
        delayrate(60);
    std::printf("delayrate(60) over %d frames: mean period %.4f ms (16.6667 asked)\n", kFrames,
                msSince(start) / kFrames);
}

// One presentation of a wholly redrawn page to a window of its own on the given server.
void measurePresentation(const Xvfb& server, const char* how) {
    setenv("DISPLAY", server.name().c_str(), 1);
    std::string error;
    platform::WindowRequest wanted;
    wanted.width = 480;
    wanted.height = 640;
    wanted.className = "TrivantaTiming";
    wanted.caption = "timing";
    std::unique_ptr<platform::Window> window = platform::x11::backend().createWindow(wanted, error);
    if (!window) {
        std::printf("%s: no window: %s\n", how, error.c_str());
        return;
    }
    window->show(true);
    std::vector<uint32_t> page(480 * 640);
    std::vector<double> times;
    for (uint32_t frame = 0; frame < 300; ++frame) {
        std::fill(page.begin(), page.end(), (frame * 0x010203u) & 0xFFFFFF);
        const Clock::time_point start = Clock::now();
        window->present(page.data(), 480, 480, 640);
        times.push_back(msSince(start));
    }
    std::printf("present 480 x 640 with %-14s median %.3f ms, 99th %.3f ms\n", how,
                percentile(times, 0.5), percentile(times, 0.99));
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

// The main menu's frame: seven bars and three labels, a 5 ms wait, then the column erased.
void menuFrame(int selection) {
    setbrushcolor(0x00FF00);
    fillbar(186, 296 + 60 * selection, 294, 336 + 60 * selection);
    setbrushcolor(0x0000FF);
    fillbar(190, 300, 290, 332);
    fillbar(190, 360, 290, 392);
    fillbar(190, 420, 290, 452);
    setbrushcolor(0x000000);
    fillbar(192, 302, 288, 330);
    fillbar(192, 362, 288, 390);
    fillbar(192, 422, 288, 450);
    setpencolor(0x0000FF);
    setfontface(24, 12, FACE_SONG);
    drawtext(210, 302, "start");
    drawtext(216, 362, "help");
    drawtext(216, 422, "exit");
    delayframe(5);
    setbrushcolor(0x000000);
    fillbar(186, 294, 296, 456);
}

void measureMenuLoad(const Xvfb& server) {
    constexpr double kSeconds = 10;
    const double serverBefore = cpuSecondsOf(server.pid());
    const double selfBefore = cpuSecondsOf(getpid());
    const Wakeups wakeupsBefore = wakeupsSoFar();
    const Clock::time_point start = Clock::now();
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
    Xvfb server;
    Xvfb serverWithoutSharedMemory(XvfbOptions{24, false});
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
        measurePresentation(server, "XShmPutImage:");
        measurePresentation(serverWithoutSharedMemory, "XPutImage:");
    }
    return 0;
}
