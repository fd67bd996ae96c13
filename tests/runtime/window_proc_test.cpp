// The window procedure: mouse state and capture, queued events, the cursor rule.
#include <gtest/gtest.h>

#include "platform/messages.h"
#include "runtime/graph_state.h"
#include "tests/support/runtime_window.h"

namespace {

using platform::Message;
using platform::headless::sendMessage;

class WindowProc : public ::testing::Test {
protected:
    void SetUp() override {
        openHeadlessWindow(200, 100);
        drainInput();
    }

    // Delivers the messages to the window procedure, one virtual millisecond apart.
    void deliver(std::initializer_list<Message> messages) {
        double at = now() + 1;
        for (const Message& message : messages)
            sendMessage(at++, message);
        timersleep(static_cast<int>(messages.size()) + 1);
    }

    std::vector<EventRecord> queued(EventQueue& queue) {
        std::vector<EventRecord> records;
        EventRecord record;
        while (queue.pop(record))
            records.push_back(record);
        return records;
    }

    GraphState& gs = graphstate();
};

TEST_F(WindowProc, CaptureLastsWhileAnyButtonIsHeld) {
    deliver({{msg::kLeftButtonDown, msg::kLeftButtonBit, msg::pointParam(10, 20)},
             {msg::kRightButtonDown, 3, msg::pointParam(11, 21)},
             {msg::kLeftButtonUp, msg::kRightButtonBit, msg::pointParam(12, 22)}});
    EXPECT_TRUE(platform::headless::mouseCaptured());
    EXPECT_EQ(gs.leftdown, 0);
    EXPECT_EQ(gs.rightdown, 1);
    EXPECT_EQ(gs.keydown[vk::kRightButton], 1);
    EXPECT_EQ(gs.pressx, 11);
    EXPECT_EQ(gs.releasey, 22);
    deliver({{msg::kRightButtonUp, 0, msg::pointParam(13, 23)}});
    EXPECT_FALSE(platform::headless::mouseCaptured());
    EXPECT_EQ(gs.keydown[vk::kRightButton], 0);

    const std::vector<EventRecord> events = queued(*gs.mousequeue);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].buttons, 1u);
    EXPECT_EQ(events[1].buttons, 3u);
    EXPECT_EQ(events[2].buttons, 2u);
    EXPECT_EQ(events[3].buttons, 0u);
    EXPECT_EQ(events[3].lparam, static_cast<uint32_t>(msg::pointParam(13, 23)));
}

TEST_F(WindowProc, TheMoveAfterAReleaseAtTheSameSpotIsNotQueued) {
    deliver({{msg::kLeftButtonDown, 1, msg::pointParam(30, 40)},
             {msg::kLeftButtonUp, 0, msg::pointParam(31, 41)},
             {msg::kMouseMove, 0, msg::pointParam(31, 41)},
             {msg::kMouseMove, 0, msg::pointParam(-5, 41)}});
    EXPECT_EQ(gs.mousex, -5);
    EXPECT_EQ(gs.mousey, 41);
    const std::vector<EventRecord> events = queued(*gs.mousequeue);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[2].message, msg::kMouseMove);
    EXPECT_EQ(msg::paramX(static_cast<int32_t>(events[2].lparam)), -5);
}

TEST_F(WindowProc, TheWheelIsQueuedInClientCoordinates) {
    const platform::Point origin{100, 100};  // where the headless client area lies on screen
    deliver({{msg::kMouseWheel, static_cast<uintptr_t>(120) << 16,
              msg::pointParam(origin.x + 7, origin.y + 9)}});
    EXPECT_EQ(gs.mousex, 7);
    EXPECT_EQ(gs.mousey, 9);
    const std::vector<EventRecord> events = queued(*gs.mousequeue);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].lparam, static_cast<uint32_t>(msg::pointParam(7, 9)));
    EXPECT_EQ(events[0].wparam >> 16, 120u);
}

TEST_F(WindowProc, KeysAreQueuedWithTheirTimeAndHeldState) {
    const double at = now() + 1;
    deliver({{msg::kKeyDown, 0x41, 0}, {msg::kKeyDown, 0x1234, 0}, {msg::kKeyUp, 0x41, 0}});
    EXPECT_EQ(gs.keydown[0x41], 0);
    const std::vector<EventRecord> events = queued(*gs.keyqueue);
    ASSERT_EQ(events.size(), 3u);
    // Event times are the millisecond tick, which wraps at 32 bits like the clock it reads.
    EXPECT_EQ(events[0].time, static_cast<uint32_t>(static_cast<int64_t>(at)));
    EXPECT_EQ(events[1].wparam, 0x1234u);  // queued, though no key state is kept for it
    EXPECT_EQ(events[2].message, msg::kKeyUp);

    deliver({{msg::kKeyDown, 0x42, 0}});
    EXPECT_EQ(gs.keydown[0x42], 1);
    // The platform no longer reports the key held, so it does not count as held.
    EXPECT_EQ(iskeydown(0x42), 0);
    EXPECT_EQ(iskeydown(256), -1);
    EXPECT_EQ(iskeydown(-1), -1);
}

TEST_F(WindowProc, TheCursorIsHiddenOverTheWindowUntilInitgraphReturns) {
    platform::headless::movePointer({10, 10});
    gs.initdone = 0;
    deliver({{msg::kSetCursor, 0, 0}});
    EXPECT_EQ(platform::headless::windowCursor(), platform::Cursor::Hidden);
    platform::headless::movePointer({-1, 10});
    deliver({{msg::kSetCursor, 0, 0}});
    EXPECT_EQ(platform::headless::windowCursor(), platform::Cursor::Arrow);
    platform::headless::movePointer({10, 10});
    gs.initdone = 1;
    deliver({{msg::kSetCursor, 0, 0}});
    EXPECT_EQ(platform::headless::windowCursor(), platform::Cursor::Arrow);
}

TEST_F(WindowProc, PaintWhileManualOnlyLowersTheCountdown) {
    setmanualpresent(1);
    const int64_t frames = platform::headless::frameCount();
    const int32_t countdown = gs.refreshcountdown;
    deliver({{msg::kPaint, 0, 0}});
    EXPECT_EQ(platform::headless::frameCount(), frames);
    EXPECT_EQ(gs.refreshcountdown, countdown - 1);
    setmanualpresent(0);
    const int64_t shown = platform::headless::frameCount();
    deliver({{msg::kPaint, 0, 0}});
    EXPECT_EQ(platform::headless::frameCount(), shown + 1);
}

using WindowProcDeathTest = WindowProc;

TEST_F(WindowProcDeathTest, TheCloseButtonEndsTheProcessWithCodeZero) {
    EXPECT_EXIT(
        {
            platform::headless::clickClose(now() + 5);
            readkey();  // waits for a key that never comes
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
