#include "runtime/event_queue.h"

#include <cassert>

#include "platform/messages.h"

namespace {

// The slot `by` places after `index`; both indices of the ring stay inside it.
int advance(int index, int by) {
    assert(index >= 0 && index < EventQueue::kSlots && by >= 0 && by < EventQueue::kSlots);
    return (index + by) % EventQueue::kSlots;
}

}  // namespace

void EventQueue::push(const EventRecord& record) {
    std::lock_guard guard(lock_);
    slots_[writeindex_] = record;
    const int next = advance(writeindex_, 1);
    if (next == readindex_)
        readindex_ = advance(readindex_, 1);
    writeindex_ = next;
}

bool EventQueue::popLocked(EventRecord& out) {
    if (readindex_ == writeindex_)
        return false;
    out = slots_[readindex_];
    last_ = out;
    readindex_ = advance(readindex_, 1);
    return true;
}

bool EventQueue::pop(EventRecord& out) {
    std::lock_guard guard(lock_);
    return popLocked(out);
}

bool EventQueue::dropUntil(const std::function<bool(const EventRecord&)>& wanted,
                           EventRecord& head) {
    std::lock_guard guard(lock_);
    while (popLocked(head)) {
        if (wanted(head)) {
            readindex_ = advance(readindex_, kSlots - 1);
            return true;
        }
    }
    return false;
}

int32_t EventQueue::take() {
    EventRecord record;
    while (pop(record)) {
        if (const int32_t code = keyCodeOf(record))
            return code;
    }
    return 0;
}

EventRecord EventQueue::last() {
    std::lock_guard guard(lock_);
    return last_;
}

bool EventQueue::claimUnhandled(EventRecord& out) {
    std::lock_guard guard(lock_);
    for (int i = readindex_; i != writeindex_; i = advance(i, 1)) {
        if ((slots_[i].handled & 1) == 0) {
            out = slots_[i];
            slots_[i].handled |= 1;
            return true;
        }
    }
    return false;
}

void EventQueue::visitUnhandled(const std::function<void(EventRecord&)>& visitor) {
    // One event at a time, each claimed under the lock: the visitor may change the queue.
    for (EventRecord event; claimUnhandled(event);)
        visitor(event);
}

int EventQueue::pending() {
    std::lock_guard guard(lock_);
    return (writeindex_ - readindex_ + kSlots) % kSlots;
}

int32_t keyCodeOf(const EventRecord& record) {
    const int32_t code = static_cast<int32_t>(record.wparam & 0xFFFF);
    switch (record.message) {
        case msg::kChar:
            return code | KEYCODE_CHAR;
        case msg::kKeyDown:
            return code | KEYCODE_DOWN;
        case msg::kKeyUp:
            return code | KEYCODE_UP;
        default:
            return 0;
    }
}

void EventQueue::clear() {
    std::lock_guard guard(lock_);
    readindex_ = writeindex_;
}

int32_t ageAt(const EventRecord& record, uint32_t now) {
    return static_cast<int32_t>(now - record.time);
}
