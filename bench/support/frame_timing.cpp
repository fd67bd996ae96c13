#include "bench/support/frame_timing.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "runtime/graph.h"

double msSince(TimingClock::time_point start) {
    return std::chrono::duration<double, std::milli>(TimingClock::now() - start).count();
}

double percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(share * values.size()));
    return values[index];
}

void reportWaits(const char* name, int ms, int calls, const std::function<void(int)>& wait) {
    std::vector<double> overshoot;
    for (int i = 0; i < calls; ++i) {
        const TimingClock::time_point start = TimingClock::now();
        wait(ms);
        overshoot.push_back(msSince(start) - ms);
    }
    std::printf("%-12s %3d ms: earliest %+.3f ms, median overshoot %.3f ms, 99th %.3f ms\n", name,
                ms, *std::min_element(overshoot.begin(), overshoot.end()),
                percentile(overshoot, 0.5), percentile(overshoot, 0.99));
}

void measureCadence() {
    constexpr int kFrames = 600;
    delayrate(60);
    const TimingClock::time_point start = TimingClock::now();
    for (int i = 0; i < kFrames; ++i)
        delayrate(60);
    std::printf("delayrate(60) over %d frames: mean period %.4f ms (16.6667 asked)\n", kFrames,
                msSince(start) / kFrames);
}

void measurePresentation(platform::Backend& backend, const char* how) {
    std::string error;
    platform::WindowRequest wanted;
    wanted.width = 480;
    wanted.height = 640;
    wanted.className = "TrivantaTiming";
    wanted.caption = "timing";
    std::unique_ptr<platform::Window> window = backend.createWindow(wanted, error);
    if (!window) {
        std::printf("%s: no window: %s\n", how, error.c_str());
        return;
    }
    window->show(true);
    // A spare row, as every image has one.
    std::vector<uint32_t> page(480 * 641);
    std::vector<double> times;
    for (uint32_t frame = 0; frame < 300; ++frame) {
        std::fill(page.begin(), page.end(), (frame * 0x010203u) & 0xFFFFFF);
        const TimingClock::time_point start = TimingClock::now();
        window->present(page.data(), 480, 480, 640);
        times.push_back(msSince(start));
    }
    std::printf("present 480 x 640 with %-14s median %.3f ms, 99th %.3f ms\n", how,
                percentile(times, 0.5), percentile(times, 0.99));
}

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
