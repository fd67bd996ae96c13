#include "platform/x11/backend.h"

#include <sys/prctl.h>
#include <time.h>

#include <atomic>
#include <cerrno>

#include "platform/time_units.h"
#include "platform/x11/display.h"
#include "platform/x11/message_box.h"
#include "platform/x11/window.h"

namespace platform::x11 {

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

class X11Backend final : public Backend {
public:
    int64_t counter() override { return monotonicNs(); }
    int64_t counterFrequency() override { return kNanosecondsPerSecond; }
    uint32_t tickCount() override {
        return static_cast<uint32_t>(monotonicNs() / kNanosecondsPerMs);
    }

    void sleepMs(int ms) override {
        if (ms > 0)
            pauseNs(ms * kNanosecondsPerMs);
    }

    void pauseNs(int64_t nanoseconds) override {
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

    // A pause ends within the scheduler's wake-up latency whatever its length, so a wait
    // sleeps once, to just before its end, rather than whole milliseconds and then the rest: a
    // frame wakes the thread once.
    bool sleepTowards(int64_t remainingNs) override {
        if (remainingNs <= kPollNs)
            return false;
        pauseNs(remainingNs - kPollNs);
        return true;
    }

    std::unique_ptr<Window> createWindow(const WindowRequest& wanted, std::string& error) override {
        std::unique_ptr<X11Window> window = X11Window::create(wanted, error);
        if (window != nullptr)
            boxOwner_ = window->xid();
        return window;
    }

    Size desktopSize() override {
        Display* display = openDisplay();
        if (display == nullptr)
            return {};
        const int screen = DefaultScreen(display);
        const Size size{DisplayWidth(display, screen), DisplayHeight(display, screen)};
        XCloseDisplay(display);
        return size;
    }

    void showErrorBox(const char* title, const char* text) override {
        showMessageBox(title, text, boxOwner_);
    }

private:
    // The window error boxes stand above: the last one made.
    std::atomic<::Window> boxOwner_{0};
};

}  // namespace

Backend& backend() {
    // Never destroyed: the window thread may still use it while the process ends.
    static auto* const instance = new X11Backend();
    return *instance;
}

}  // namespace platform::x11
