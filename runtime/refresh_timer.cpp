#include "runtime/refresh_timer.h"

#include <atomic>
#include <mutex>

#include "platform/messages.h"
#include "runtime/graph_state.h"

namespace runtime {

namespace {

enum class TimerState { Running, Parked, Stopped };

// Serialises arming and disarming, so that the state always says what the timer does.
std::mutex timerLock;
std::atomic<TimerState> timerState{TimerState::Stopped};
int timerIntervalMs = 0;  // guarded by timerLock

bool tickWouldRefresh() {
    const GraphState& gs = graphstate();
    return !gs.framebusy && gs.refreshcountdown <= 0;
}

void unpark() {
    const std::lock_guard lock(timerLock);
    platform::Window* window = graphstate().window;
    if (timerState != TimerState::Parked || window == nullptr)
        return;
    window->setTimer(msg::kRefreshTimerId, timerIntervalMs);
    timerState = TimerState::Running;
}

}  // namespace

void startRefreshTimer(platform::Window& window, int intervalMs) {
    const std::lock_guard lock(timerLock);
    timerIntervalMs = intervalMs;
    window.setTimer(msg::kRefreshTimerId, intervalMs);
    timerState = TimerState::Running;
}

void stopRefreshTimer(platform::Window& window) {
    const std::lock_guard lock(timerLock);
    window.killTimer(msg::kRefreshTimerId);
    timerState = TimerState::Stopped;
}

void parkRefreshTimer() {
    {
        const std::lock_guard lock(timerLock);
        platform::Window* window = graphstate().window;
        if (timerState != TimerState::Running || window == nullptr)
            return;
        window->killTimer(msg::kRefreshTimerId);
        timerState = TimerState::Parked;
    }
    // The main thread may have made a tick worth having just before the timer was parked, and
    // then not seen it parked: one of the two threads sees the other's write after the fences.
    std::atomic_thread_fence(std::memory_order_seq_cst);
    if (tickWouldRefresh())
        unpark();
}

void refreshMayBeDue() {
    std::atomic_thread_fence(std::memory_order_seq_cst);
    if (timerState == TimerState::Parked && tickWouldRefresh())
        unpark();
}

void endFrameWait() {
    graphstate().framebusy = false;
    refreshMayBeDue();
}

}  // namespace runtime
