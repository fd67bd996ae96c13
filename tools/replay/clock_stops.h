// The headless backend with a virtual clock that halts at chosen moments, so that a replay sees
// the window exactly as it is at each one: everything due by then has happened, on both of the
// runtime's threads, and nothing after it has.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"

namespace replay {

class ClockStops final : public platform::Backend {
public:
    // `stopsMs` are times on the headless clock (platform::headless::nowMs()), in order;
    // `reached` runs on the main thread with each stop's index once the clock has got there.
    ClockStops(platform::Backend& inner, std::vector<double> stopsMs,
               std::function<void(size_t)> reached);

    // Runs `reached` for the stops the clock has not got to: the program has ended before them.
    void reachRemaining();

    int64_t counter() override;
    int64_t counterFrequency() override { return inner_.counterFrequency(); }
    uint32_t tickCount() override { return inner_.tickCount(); }
    void sleepMs(int ms) override;
    void pauseNs(int64_t nanoseconds) override;
    std::unique_ptr<platform::Window> createWindow(const platform::WindowRequest& wanted,
                                                   std::string& error) override {
        return inner_.createWindow(wanted, error);
    }
    platform::Size desktopSize() override { return inner_.desktopSize(); }
    void showErrorBox(const char* title, const char* text) override {
        inner_.showErrorBox(title, text);
    }

private:
    // Reaches every stop at or before the clock's time.
    void reachDue();
    // Lets the clock run to `endNs` through the stops on the way.
    void pauseUntil(int64_t endNs);

    platform::Backend& inner_;
    std::vector<int64_t> stopsNs_;
    size_t next_ = 0;  // the first stop not reached yet
    std::function<void(size_t)> reached_;
};

}  // namespace replay
