// Random streams of window messages and scripted keys into the window procedure, on the headless
// backend, read back with keyready, readkey, readkeyevent and iskeydown at moments the input
// chooses.
//
// Input: steps until the input ends, each a byte choosing the step followed by its arguments as
// tests/fuzz/fuzz_input.h reads them. Times are offsets in virtual milliseconds from the moment
// the step runs.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "platform/headless/headless.h"
#include "platform/messages.h"
#include "runtime/graph.h"
#include "runtime/graph_state.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/support/runtime_window.h"

namespace {

using platform::Message;
namespace headless = platform::headless;

// Every message the window procedure acts on but the destroy message: that one ends the window
// thread, which no later initgraph starts again, so every input after it would find a dead
// window. The close message stands for the user closing it; with MODE_KEEPPROCESSONCLOSE it only
// asks the program, and the next input's initgraph takes the request back.
constexpr uint32_t kMessages[] = {
    msg::kPaint,           msg::kClose,          msg::kQuit,
    msg::kEraseBackground, msg::kSetCursor,      msg::kKeyDown,
    msg::kKeyUp,           msg::kChar,           msg::kTimer,
    msg::kMouseMove,       msg::kLeftButtonDown, msg::kLeftButtonUp,
    msg::kRightButtonDown, msg::kRightButtonUp,  msg::kMiddleButtonDown,
    msg::kMiddleButtonUp,  msg::kMouseWheel,
};
// A message number read whole is any number at all, but the destroy message.
constexpr uint8_t kAnyMessage = 0xF0;

// Keys scripted by their X key symbol names: letters in both cases, digits and punctuation,
// navigation, function and keypad keys, modifiers and locks, and a character outside ASCII.
constexpr const char* kKeys[] = {
    "a",         "Z",     "1",       "exclam",  "Left",        "Home",      "Delete",
    "F1",        "F12",   "F24",     "Return",  "space",       "Tab",       "BackSpace",
    "Escape",    "Pause", "KP_1",    "KP_Home", "Num_Lock",    "Caps_Lock", "Shift_L",
    "Control_L", "Alt_L", "Super_L", "U+00FC",  "bracketleft",
};
static_assert(std::size(kKeys) <= 32, "the held keys are a 32-bit set");

// What a blocking read is sure to get in the end: the Enter character, scripted after
// everything else, so that no scripted key can push it out of the queue before it is read.
constexpr Message kLastKey{msg::kChar, '\r', 0};

// Virtual time one input may script things at and sleep through: every refresh tick, and every
// millisecond a blocking read waits for its key, costs real time.
constexpr double kTimeBudgetMs = 20'000;
constexpr int kSleepStepMs = 5;

// One input's run: it starts from a freshly opened window with empty queues and ends when
// everything it scripted has arrived, with every key it pressed released again.
class Session {
public:
    Session() : started_(headless::nowMs()), horizon_(started_) {
        openHeadlessWindow(64, 48);
        GraphState& gs = graphstate();
        gs.leftdown = 0;
        gs.rightdown = 0;
        gs.middledown = 0;
    }

    ~Session() {
        for (size_t key = 0; key < std::size(kKeys); ++key) {
            if (held_ >> key & 1)
                headless::keyUp(afterAll(), kKeys[key]);
        }
        timersleep(static_cast<int>(std::ceil(horizon_ - headless::nowMs())) + 1);
    }

    void step(FuzzInput& in);

private:
    // A time the offset ahead, which the end of the session waits for; past the time budget,
    // the present moment.
    double later(double offsetMs) {
        const double now = headless::nowMs();
        const double at = std::min(now + offsetMs, std::max(now, started_ + kTimeBudgetMs));
        horizon_ = std::max(horizon_, at);
        return at;
    }
    // A time after everything scripted so far.
    double afterAll() {
        horizon_ = std::max(horizon_, headless::nowMs()) + 1;
        return horizon_;
    }

    void sendAny(FuzzInput& in);
    void scriptKey(FuzzInput& in);
    void sleep(FuzzInput& in);
    void readKey();
    void readKeyEvent();

    double started_;
    double horizon_;     // the latest time anything is scripted at
    uint32_t held_ = 0;  // the keys of kKeys pressed, by index
};

void Session::step(FuzzInput& in) {
    enum Step { kSend, kKey, kSleep, kKeyReady, kReadKey, kReadKeyEvent, kIsKeyDown, kSteps };
    switch (in.byte() % kSteps) {
        case kSend:
            sendAny(in);
            break;
        case kKey:
            scriptKey(in);
            break;
        case kSleep:
            sleep(in);
            break;
        case kKeyReady:
            // The window is never destroyed here, so -1 would be wrong.
            expect(keyready() >= 0, "keyready on an open window is not negative");
            break;
        case kReadKey:
            readKey();
            break;
        case kReadKeyEvent:
            readKeyEvent();
            break;
        default: {
            const int key = in.number();
            const int held = iskeydown(key);
            expect(key >= 0 && key <= 255 ? held == 0 || held == 1 : held == -1,
                   "iskeydown is 0 or 1 for key codes and -1 for other numbers");
            break;
        }
    }
}

void Session::sendAny(FuzzInput& in) {
    const double offset = in.byte();
    const uint8_t pick = in.byte();
    Message message;
    message.message = pick < kAnyMessage ? kMessages[pick % std::size(kMessages)] : in.word();
    if (message.message == msg::kDestroy)
        return;
    message.wparam = static_cast<uintptr_t>(static_cast<intptr_t>(in.number()));
    message.lparam = in.number();
    headless::sendMessage(later(offset), message);
}

void Session::scriptKey(FuzzInput& in) {
    const double offset = in.byte();
    const size_t key = in.byte() % std::size(kKeys);
    switch (in.byte() % 3) {
        case 0:
            headless::keyDown(later(offset), kKeys[key]);
            held_ |= uint32_t{1} << key;
            break;
        case 1:
            headless::keyUp(later(offset), kKeys[key]);
            break;
        default: {
            const double hold = in.byte();
            const double at = later(offset);
            headless::pressKey(at, kKeys[key], hold);
            horizon_ = std::max(horizon_, at + hold);  // the release
            break;
        }
    }
}

// Sleeps long enough, at times, for a waiting key to go stale (1 s), within the input's budget.
void Session::sleep(FuzzInput& in) {
    const int ms = in.byte() * kSleepStepMs;
    if (headless::nowMs() + ms - started_ <= kTimeBudgetMs)
        timersleep(ms);
}

void Session::readKey() {
    headless::sendMessage(afterAll(), kLastKey);
    expect(readkey() >= 0, "readkey on an open window is not negative");
}

void Session::readKeyEvent() {
    headless::sendMessage(afterAll(), kLastKey);
    KeyEventInfo info;
    readkeyevent(&info);
    expect(info.kind == 0 || info.kind == KEYEV_DOWN || info.kind == KEYEV_UP ||
               info.kind == KEYEV_CHAR,
           "readkeyevent describes a key-down, key-up or character, or nothing");
    expect(info.key >= 0 && info.key <= 0xFFFF, "readkeyevent's key is a 16-bit code");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    Session session;
    while (!in.done())
        session.step(in);
    return 0;
}
