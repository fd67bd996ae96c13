// What the control tree's membership and its passes share: the drawing order and the way a
// handler is called.
#pragma once

#include "runtime/control.h"
#include "runtime/graph.h"

namespace runtime {

// Hands out the parent's next serial. Past kSerialLimit the children are first renumbered from 1
// in their drawing order, which keeps the order and keeps serials far from overflowing.
int nextSerial(CONTROL& parent);
inline constexpr int kSerialLimit = 0x800000;

// Sorts the children by z-order, then serial, then address.
void sortChildren(CONTROL& parent);

// Switches the drawing target for as long as it lives, and back to the previous target when it
// goes, also when the scope is left by an exception.
class TargetSwitch {
public:
    explicit TargetSwitch(PIMAGE to) : previous_(gettarget()) { settarget(to); }
    ~TargetSwitch() { settarget(previous_); }
    TargetSwitch(const TargetSwitch&) = delete;
    TargetSwitch& operator=(const TargetSwitch&) = delete;

private:
    PIMAGE previous_;
};

// Runs a handler call with the drawing target switched to `target`.
template <typename Call>
auto onTarget(PIMAGE target, Call&& call) {
    const TargetSwitch on(target);
    return call();
}

}  // namespace runtime
