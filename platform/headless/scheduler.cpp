#include "platform/headless/scheduler.h"

#include <algorithm>

#include "platform/messages.h"
#include "platform/time_units.h"

namespace platform::headless {

namespace {
constexpr int64_t kPollCost = 1000;
constexpr int64_t kTick = kNanosecondsPerMs;
}  // namespace

int64_t Scheduler::now() {
    std::lock_guard guard(lock_);
    return now_;
}

int64_t Scheduler::poll() {
    std::lock_guard guard(lock_);
    now_ += kPollCost;
    return now_;
}

bool Scheduler::windowIdle() const {
    return !windowExists_ || windowGone_ || (windowWaiting_ && queue_.empty());
}

int64_t Scheduler::nextDue() const {
    int64_t due = script_.empty() ? -1 : script_.begin()->first;
    for (const auto& [id, timer] : timers_) {
        if (due < 0 || timer.due < due)
            due = timer.due;
    }
    return due;
}

void Scheduler::deliverDue(int64_t at, int64_t sleepEnd) {
    const auto scripted = script_.begin();
    if (scripted != script_.end() && scripted->first == at) {
        for (const Message& message : scripted->second())
            queue_.push_back(message);
        script_.erase(scripted);
        return;
    }
    for (auto& [id, timer] : timers_) {
        if (timer.due != at)
            continue;
        // The ticks that fall due later in the same sleep make one message with this one, as a
        // desktop's timer messages do when several fell due before the window read its queue:
        // handing each one over would cost two thread switches and change nothing.
        timer.due += (sleepEnd - at) / timer.interval * timer.interval + timer.interval;
        if (!windowGone_)
            queue_.push_back({msg::kTimer, id, 0});
        return;
    }
}

void Scheduler::sleep(int64_t nanoseconds, Wake wake) {
    std::unique_lock guard(lock_);
    const int64_t asked = now_ + nanoseconds;
    const int64_t end = wake == Wake::OnTick ? (asked + kTick - 1) / kTick * kTick : asked;
    mainSleeping_ = true;
    changed_.notify_all();
    for (;;) {
        changed_.wait(guard, [this] { return windowIdle(); });
        const int64_t due = nextDue();
        if (due < 0 || due > end)
            break;
        now_ = std::max(now_, due);
        deliverDue(due, end);
        changed_.notify_all();
    }
    now_ = end;
    mainSleeping_ = false;
}

void Scheduler::schedule(int64_t at, MessageMaker make) {
    std::lock_guard guard(lock_);
    script_.emplace(at, std::move(make));
}

void Scheduler::post(const Message& message) {
    std::lock_guard guard(lock_);
    queue_.push_back(message);
    changed_.notify_all();
}

void Scheduler::postFirst(const Message& message) {
    std::lock_guard guard(lock_);
    queue_.push_front(message);
    changed_.notify_all();
}

void Scheduler::setTimer(uintptr_t id, int64_t interval) {
    std::lock_guard guard(lock_);
    interval = std::max<int64_t>(interval, 1);  // a zero interval would never let time pass
    timers_[id] = Timer{interval, now_ + interval};
}

void Scheduler::killTimer(uintptr_t id) {
    std::lock_guard guard(lock_);
    timers_.erase(id);
}

void Scheduler::windowMade() {
    std::lock_guard guard(lock_);
    windowExists_ = true;
}

Message Scheduler::nextMessage() {
    std::unique_lock guard(lock_);
    windowWaiting_ = true;
    changed_.notify_all();
    changed_.wait(guard, [this] { return mainSleeping_ && !queue_.empty(); });
    windowWaiting_ = false;
    const Message message = queue_.front();
    queue_.pop_front();
    if (message.message == msg::kDestroy) {
        windowGone_ = true;
        timers_.clear();
    }
    return message;
}

}  // namespace platform::headless
