#include "platform/linux/message_pump.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "platform/messages.h"

namespace platform {

namespace {

// Reads a counter descriptor (eventfd or timerfd) without blocking; true if it had fired.
bool drain(int fd) {
    uint64_t count = 0;
    return read(fd, &count, sizeof count) == static_cast<ssize_t>(sizeof count);
}

void arm(int timerFd, int intervalMs) {
    const long ns = static_cast<long>(intervalMs) * 1'000'000;
    const timespec period{ns / 1'000'000'000, ns % 1'000'000'000};
    const itimerspec schedule{period, period};
    timerfd_settime(timerFd, 0, &schedule, nullptr);
}

}  // namespace

MessagePump::MessagePump() : wakeFd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

MessagePump::~MessagePump() {
    for (const auto& [id, fd] : timers_)
        close(fd);
    if (usable())
        close(wakeFd_);
}

void MessagePump::post(const Message& message) {
    queue(message);
    wake();
}

void MessagePump::queue(const Message& message) {
    const std::lock_guard lock(queueLock_);
    queue_.push_back(message);
}

bool MessagePump::replaceLastMove(const Message& move) {
    const std::lock_guard lock(queueLock_);
    if (queue_.empty() || queue_.back().message != msg::kMouseMove)
        return false;
    queue_.back() = move;
    return true;
}

void MessagePump::requestPaint() {
    const std::lock_guard lock(queueLock_);
    paint_ = true;
}

void MessagePump::setTimer(uintptr_t id, int intervalMs) {
    const std::lock_guard lock(timerLock_);
    auto timer = timers_.find(id);
    if (timer == timers_.end()) {
        const int fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
        if (fd < 0)
            return;
        timer = timers_.emplace(id, fd).first;
        // The window thread's poll() must learn of the new descriptor.
        wake();
    }
    arm(timer->second, std::max(intervalMs, kMinimumTimerMs));
    // Re-arming starts the period afresh, so ticks that fell due before do not count.
    drain(timer->second);
}

void MessagePump::killTimer(uintptr_t id) {
    const std::lock_guard lock(timerLock_);
    const auto timer = timers_.find(id);
    if (timer == timers_.end())
        return;
    arm(timer->second, 0);
    drain(timer->second);
}

std::optional<Message> MessagePump::take() {
    {
        const std::lock_guard lock(queueLock_);
        if (!queue_.empty()) {
            const Message message = queue_.front();
            queue_.pop_front();
            return message;
        }
        if (paint_) {
            paint_ = false;
            return Message{msg::kPaint, 0, 0};
        }
    }
    return takeTimer();
}

// Several expirations since the last look give one tick, as reading the timerfd resets it.
std::optional<Message> MessagePump::takeTimer() {
    const std::lock_guard lock(timerLock_);
    for (const auto& [id, fd] : timers_) {
        if (drain(fd))
            return Message{msg::kTimer, id, 0};
    }
    return std::nullopt;
}

void MessagePump::wait(int socket) {
    std::vector<pollfd> watched{{socket, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    {
        const std::lock_guard lock(timerLock_);
        for (const auto& [id, fd] : timers_)
            watched.push_back({fd, POLLIN, 0});
    }
    while (poll(watched.data(), watched.size(), -1) < 0 && errno == EINTR) {
    }
    drain(wakeFd_);
}

void MessagePump::wake() {
    const uint64_t one = 1;
    // A full counter (after 2^64 - 2 wakes without a wait) still wakes, so a failed write
    // needs no handling.
    [[maybe_unused]] const ssize_t written = write(wakeFd_, &one, sizeof one);
}

}  // namespace platform
