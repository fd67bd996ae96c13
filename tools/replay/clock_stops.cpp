#include "tools/replay/clock_stops.h"

#include <cmath>

#include "platform/headless/headless.h"

namespace replay {

namespace {

constexpr double kNsPerMs = 1e6;

int64_t nowNs() {
    return std::llround(platform::headless::nowMs() * kNsPerMs);
}

}  // namespace

ClockStops::ClockStops(platform::Backend& inner, std::vector<double> stopsMs,
                       std::function<void(size_t)> reached)
    : inner_(inner), reached_(std::move(reached)) {
    for (const double ms : stopsMs)
        stopsNs_.push_back(std::llround(ms * kNsPerMs));
}

void ClockStops::reachRemaining() {
    while (next_ < stopsNs_.size())
        reached_(next_++);
}

void ClockStops::reachDue() {
    const int64_t now = nowNs();
    while (next_ < stopsNs_.size() && stopsNs_[next_] <= now)
        reached_(next_++);
}

int64_t ClockStops::counter() {
    // Reading the clock moves it on a little, so a program polling it can pass a stop too. The
    // runtime reads it on its main thread only, as it sleeps.
    const int64_t count = inner_.counter();
    reachDue();
    return count;
}

void ClockStops::sleepMs(int ms) {
    reachDue();
    if (ms <= 0)
        return;
    // A headless sleep ends on the first whole millisecond at or after the time asked for; one
    // cut at stops ends at the same moment, so the program runs as it would without them.
    const int64_t now = nowNs();
    const int64_t ms64 = ms;
    const int64_t end = (now + ms64 * 1'000'000 + 999'999) / 1'000'000 * 1'000'000;
    if (next_ < stopsNs_.size() && stopsNs_[next_] < end)
        pauseUntil(end);
    else
        inner_.sleepMs(ms);
}

void ClockStops::pauseNs(int64_t nanoseconds) {
    reachDue();
    if (nanoseconds > 0)
        pauseUntil(nowNs() + nanoseconds);
}

void ClockStops::pauseUntil(int64_t endNs) {
    while (next_ < stopsNs_.size() && stopsNs_[next_] < endNs) {
        inner_.pauseNs(stopsNs_[next_] - nowNs());
        reached_(next_++);
    }
    inner_.pauseNs(endNs - nowNs());
}

}  // namespace replay
