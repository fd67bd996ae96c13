// Reading keys from the key queue.
#include "platform/backend.h"
#include "platform/messages.h"
#include "runtime/graph.h"
#include "runtime/graph_state.h"
#include "runtime/pacing.h"

namespace {

// A key typed this long or longer before readkey was called is stale and skipped.
constexpr int32_t kStaleAfterMs = 1000;

bool inRange(uint32_t code, uint32_t first, uint32_t last) {
    return code >= first && code <= last;
}

bool isFunctionKey(uint32_t code) {
    return inRange(code, vk::kF1, vk::kF1 + 15);
}
bool isNavigationKey(uint32_t code) {
    return inRange(code, vk::kPageUp, vk::kHelp);
}

// Keys that type characters, modifiers and locks are read through their character events (or
// not at all); the other key-downs are read themselves.
bool isWantedKeyDown(uint32_t code) {
    return isNavigationKey(code) || inRange(code, vk::kF1, 0xB9) || inRange(code, 0xDF, 0xFF);
}

// The code keyready reports for a wanted event.
int32_t readyCode(const EventRecord& record) {
    const uint32_t code = record.wparam & 0xFFFF;
    if (record.message == msg::kChar)
        return static_cast<int32_t>(code) | KEYCODE_CHAR;
    if (isFunctionKey(code))
        return static_cast<int32_t>(code + 0x100) | KEYCODE_DOWN;
    return static_cast<int32_t>(code) | KEYCODE_DOWN;
}

// The code readkey returns for a key code taken from the queue.
int32_t readingCode(int32_t keycode) {
    int32_t value = keycode & 0xFFFF;
    const auto code = static_cast<uint32_t>(value);
    if ((keycode & KEYCODE_DOWN) != 0 && (isFunctionKey(code) || isNavigationKey(code))) {
        value |= KEYCODE_SPECIAL;
    }
    return value;
}

// No window to read from: closed, or never opened.
bool windowGone() {
    const GraphState& gs = graphstate();
    return gs.closed || gs.keyqueue == nullptr;
}

bool closingOrClosed() {
    return windowGone() || graphstate().closerequested;
}

}  // namespace

int keyready() {
    GraphState& gs = graphstate();
    if (windowGone())
        return -1;
    // Everything in front of the first wanted event is dropped.
    EventRecord record;
    const bool found = gs.keyqueue->dropUntil(
        [](const EventRecord& r) {
            return r.message == msg::kChar ||
                   (r.message == msg::kKeyDown && isWantedKeyDown(r.wparam));
        },
        record);
    return found ? readyCode(record) : 0;
}

int readkey() {
    GraphState& gs = graphstate();
    if (windowGone())
        return -1;
    const uint32_t calledAt = platform::backend().tickCount();
    int ready = keyready();
    for (;;) {
        if (ready < 0)
            return 0;
        if (ready > 0) {
            const int32_t keycode = gs.keyqueue->take();
            if (keycode != 0 && ageAt(gs.keyqueue->last(), calledAt) < kStaleAfterMs) {
                return readingCode(keycode);
            }
        }
        if (closingOrClosed())
            return 0;
        if (runtime::idlewait() == 0)
            return 0;
        ready = keyready();
    }
}

void readkeyevent(KeyEventInfo* info) {
    GraphState& gs = graphstate();
    KeyEventInfo result{};
    if (!windowGone()) {
        int32_t keycode = gs.keyqueue->take();
        while (keycode == 0 && !closingOrClosed() && runtime::idlewait() != 0) {
            keycode = gs.keyqueue->take();
        }
        if (keycode != 0) {
            result.key = keycode & 0xFFFF;
            result.kind = (keycode & KEYCODE_DOWN) ? KEYEV_DOWN
                          : (keycode & KEYCODE_UP) ? KEYEV_UP
                                                   : KEYEV_CHAR;
            if (iskeydown(vk::kControl) == 1)
                result.modifiers |= KEYMOD_CTRL;
            if (iskeydown(vk::kShift) == 1)
                result.modifiers |= KEYMOD_SHIFT;
        }
    }
    if (info != nullptr)
        *info = result;
}

int iskeydown(int virtualKey) {
    if (virtualKey < 0 || virtualKey > 255)
        return -1;
    GraphState& gs = graphstate();
    platform::Window* window = gs.window;
    // A key counts as held only while the platform still reports it held.
    if (window == nullptr || !window->keyHeld(virtualKey))
        gs.keydown[virtualKey] = 0;
    return gs.keydown[virtualKey];
}
