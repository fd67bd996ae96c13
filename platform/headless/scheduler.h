// Virtual time and the hand-over of messages between the main thread and the window thread.
//
// Time moves only while the main thread sleeps. A sleep delivers, in time order, every message
// that falls due before it ends (scripted input, timer ticks, posted messages; a timer's ticks
// within one sleep as one message) and waits after each until the window thread has handled
// it. The window thread therefore only ever runs while
// the main thread is asleep, and the same script gives the same run, bit for bit.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include "platform/backend.h"

namespace platform::headless {

class Scheduler {
public:
    // Virtual nanoseconds; the clock starts at one second, not at zero.
    int64_t now();
    // Main thread: the clock as a program polling it sees it. Each reading costs a microsecond
    // of virtual time, as polling a clock costs real time; a loop that polls the clock until a
    // deadline would otherwise never end.
    int64_t poll();
    // When a sleep ends: on the first whole millisecond at or after the time asked for, as a
    // thread sleeping on a millisecond timer wakes, or exactly.
    enum class Wake { OnTick, Exactly };
    // Main thread: lets time pass, handing due messages to the window thread on the way.
    void sleep(int64_t nanoseconds, Wake wake);

    // What a scripted moment delivers, made when it falls due (under the scheduler's lock, so
    // it must not call the scheduler).
    using MessageMaker = std::function<std::vector<Message>()>;
    // Schedules messages at a virtual time.
    void schedule(int64_t at, MessageMaker make);
    // Any thread: queues a message behind the pending ones.
    void post(const Message& message);
    // Window thread: queues a message in front of the pending ones.
    void postFirst(const Message& message);
    void setTimer(uintptr_t id, int64_t interval);
    void killTimer(uintptr_t id);

    // Window thread: the window exists, and blocks for its next message.
    void windowMade();
    Message nextMessage();

private:
    struct Timer {
        int64_t interval;
        int64_t due;
    };

    bool windowIdle() const;
    // The time of the next scripted item or timer tick, or -1.
    int64_t nextDue() const;
    // Hands over what falls due at `at`, in a sleep that ends at `sleepEnd`.
    void deliverDue(int64_t at, int64_t sleepEnd);

    std::mutex lock_;  // guards every field below
    std::condition_variable changed_;
    int64_t now_ = 1'000'000'000;
    std::multimap<int64_t, MessageMaker> script_;
    std::map<uintptr_t, Timer> timers_;
    std::deque<Message> queue_;
    bool windowExists_ = false;
    bool windowWaiting_ = false;  // blocked in nextMessage
    bool windowGone_ = false;     // its last message, the destroy message, was taken
    bool mainSleeping_ = false;   // the window thread may run
};

}  // namespace platform::headless
