// The window's message queue, ordered as a desktop message queue orders it: posted messages and
// input in the order they came, then a pending paint request, then timer ticks. The window
// thread sleeps in poll() on the window system's connection, one timerfd per timer and an
// eventfd that other threads signal.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>

#include "platform/backend.h"

namespace platform {

class MessagePump {
public:
    MessagePump();
    ~MessagePump();
    MessagePump(const MessagePump&) = delete;
    MessagePump& operator=(const MessagePump&) = delete;

    // False when the eventfd could not be made; the pump cannot wake then.
    bool usable() const { return wakeFd_ >= 0; }

    // Any thread: queues a message behind the pending ones and wakes the window thread.
    void post(const Message& message);
    // Window thread: queues input behind the pending messages.
    void queue(const Message& message);
    // Window thread: when the last pending message is a mouse move, replaces it by `move` and
    // returns true; only the newest position of a run of moves matters.
    bool replaceLastMove(const Message& move);
    // Window thread: asks for one msg::kPaint; requests coalesce until it is taken.
    void requestPaint();

    // Any thread: (re)arms the repeating timer `id`, or stops it.
    void setTimer(uintptr_t id, int intervalMs);
    void killTimer(uintptr_t id);

    // Window thread: the next message that is due, if any.
    std::optional<Message> take();
    // Window thread: sleeps until `socket` has data, a timer fires or wake() is called.
    void wait(int socket);
    // Any thread: ends the window thread's current or next wait.
    void wake();

private:
    std::optional<Message> takeTimer();

    std::mutex queueLock_;  // guards queue_ and paint_
    std::deque<Message> queue_;
    bool paint_ = false;
    // Guards timers_. A timer's timerfd stays open until the pump ends, even once killed, so
    // that the window thread can never poll a descriptor that was closed meanwhile.
    std::mutex timerLock_;
    std::map<uintptr_t, int> timers_;  // id → timerfd
    int wakeFd_ = -1;
};

}  // namespace platform
