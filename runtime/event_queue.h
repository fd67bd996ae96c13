// A fixed ring of queued window messages, written by the window thread and read by the main
// thread.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>

// One queued window message.
struct EventRecord {
    uint32_t window = 0;   // the runtime's window (there is only one)
    uint32_t message = 0;  // msg::kKeyDown, msg::kChar, msg::kMouseMove, ...
    uint32_t wparam = 0;   // key: virtual-key or character code; mouse: button bits
    uint32_t lparam = 0;   // key: repeat count, scan code, bit 30; mouse: y << 16 | x
    uint32_t time = 0;     // tick count when queued, in milliseconds
    uint32_t buttons = 0;  // mouse: bit 0 left, bit 1 right, bit 2 middle held afterwards
    uint32_t handled = 0;  // bit 0 set once the event has been passed through the control tree
};

// Key codes made from key records.
inline constexpr int32_t KEYCODE_DOWN = 0x10000;
inline constexpr int32_t KEYCODE_UP = 0x20000;
inline constexpr int32_t KEYCODE_CHAR = 0x40000;
inline constexpr int32_t KEYCODE_SPECIAL = 0x100;

class EventQueue {
public:
    static constexpr int kSlots = 1024;

    // Adds an event; when the ring is full the oldest pending event is lost.
    void push(const EventRecord& record);
    // Takes the oldest pending event.
    bool pop(EventRecord& out);
    // Takes events until the oldest pending one is wanted, and copies that one without taking
    // it, all at once: a push in between could otherwise lose it. False when none is wanted.
    bool dropUntil(const std::function<bool(const EventRecord&)>& wanted, EventRecord& head);
    // Pops until a key down, key up or character event is found and returns its key code;
    // other events on the way are dropped. 0 when the queue runs empty.
    int32_t take();
    // The record most recently taken by pop.
    EventRecord last();
    // Hands every pending event whose handled bit is clear to the visitor, oldest first, and
    // sets the bit in the queue before each call. The visitor gets a copy as it was queued,
    // with the queue unlocked, so it may read keys, wait for input or run a frame; events that
    // such a nested frame handed on are not handed again.
    void visitUnhandled(const std::function<void(EventRecord&)>& visitor);
    // How many events are pending.
    int pending();
    // Drops every pending event.
    void clear();

private:
    bool popLocked(EventRecord& out);
    // Copies the oldest pending event not yet handled and marks it handled; false when none.
    bool claimUnhandled(EventRecord& out);

    std::mutex lock_;  // guards every field below
    std::array<EventRecord, kSlots> slots_{};
    EventRecord last_;
    int readindex_ = 0;
    int writeindex_ = 0;
};

// The key code of a key record: code | KEYCODE_DOWN, KEYCODE_UP or KEYCODE_CHAR; 0 otherwise.
int32_t keyCodeOf(const EventRecord& record);

// How long before `now` the record was queued, in milliseconds, across the tick count's wrap;
// negative when it came later.
int32_t ageAt(const EventRecord& record, uint32_t now);
