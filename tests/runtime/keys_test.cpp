// Keys from the backend through the window procedure and the queue to the reading calls.
#include <gtest/gtest.h>

#include <utility>

#include "runtime/control.h"
#include "runtime/graph_state.h"
#include "tests/support/runtime_window.h"

namespace {

using platform::headless::keyDown;
using platform::headless::keyUp;
using platform::headless::pressKey;

class Keys : public ::testing::Test {
protected:
    void SetUp() override {
        openHeadlessWindow(64, 48);
        drainInput();
    }
};

// The code readkey gives for one key pressed a moment from now.
int readOne(const char* keysym) {
    pressKey(now() + 5, keysym);
    return readkey();
}

TEST_F(Keys, ReadingCodesOfTheCommonKeys) {
    EXPECT_EQ(readOne("a"), 97);
    EXPECT_EQ(readOne("A"), 65);
    EXPECT_EQ(readOne("Left"), 0x125);
    EXPECT_EQ(readOne("F1"), 0x170);
    EXPECT_EQ(readOne("F12"), 0x17B);
    EXPECT_EQ(readOne("Num_Lock"), 0x90);
    EXPECT_EQ(readOne("Return"), 13);
    EXPECT_EQ(readOne("space"), 32);
    EXPECT_EQ(readOne("Escape"), 27);
    EXPECT_EQ(readOne("Delete"), 0x12E);
}

TEST_F(Keys, KeyreadyDropsWhatStandsInFrontOfTheFirstWantedEvent) {
    keyDown(now() + 1, "Shift_L");
    pressKey(now() + 2, "b");
    keyUp(now() + 3, "Shift_L");
    timersleep(4);
    // The key-down of b is dropped; its character stays at the head.
    EXPECT_EQ(keyready(), 'b' | KEYCODE_CHAR);
    EXPECT_EQ(keyready(), 'b' | KEYCODE_CHAR);
    EXPECT_EQ(readkey(), 'b');
    timersleep(40);  // the releases arrive
    EXPECT_EQ(keyready(), 0);
    EXPECT_EQ(graphstate().keyqueue->pending(), 0);

    pressKey(now() + 1, "Up");
    timersleep(2);
    EXPECT_EQ(keyready(), 0x26 | KEYCODE_DOWN);
    pressKey(now() + 1, "F3");
    timersleep(60);
    EXPECT_EQ(readkey(), 0x126);
    EXPECT_EQ(keyready(), 0x172 | KEYCODE_DOWN);
}

TEST_F(Keys, AKeyTypedASecondBeforeReadkeyIsSkipped) {
    pressKey(now() + 1, "x");
    timersleep(1500);
    pressKey(now() + 200, "y");
    const double called = now();
    EXPECT_EQ(readkey(), 'y');
    EXPECT_GE(now() - called, 200.0);

    // Less than a second old still counts.
    pressKey(now() + 1, "z");
    timersleep(900);
    EXPECT_EQ(readkey(), 'z');
}

TEST_F(Keys, HeldKeysRepeatAsKeyDownsAndReadkeyeventDescribesEvents) {
    keyDown(now() + 1, "Control_L");
    keyDown(now() + 2, "d");
    keyDown(now() + 3, "d");  // auto-repeat
    KeyEventInfo info;
    readkeyevent(&info);
    EXPECT_EQ(info.kind, KEYEV_DOWN);
    EXPECT_EQ(info.key, 0x11);
    EXPECT_EQ(info.modifiers, KEYMOD_CTRL);
    readkeyevent(&info);
    EXPECT_EQ(info.key, 0x44);
    readkeyevent(&info);  // Ctrl+d types the control character 4
    EXPECT_EQ(info.kind, KEYEV_CHAR);
    EXPECT_EQ(info.key, 4);
    timersleep(2);  // the repeat arrives
    EventRecord repeat;
    ASSERT_TRUE(graphstate().keyqueue->pop(repeat));
    EXPECT_NE(repeat.lparam & (1u << 30), 0u);
    EXPECT_EQ(iskeydown(0x44), 1);
    keyUp(now() + 1, "d");
    keyUp(now() + 1, "Control_L");
    timersleep(2);
    EXPECT_EQ(iskeydown(0x44), 0);
}

// The root of the control tree, whose key handler does what a dialog's might: looks at the
// queue, runs a frame of its own and reads the key.
class KeyReadingRoot : public CONTROL {
public:
    int onkeydown(int key, int) override {
        if (key != 0x25)
            return 0;
        ++calls;
        ready = keyready();
        delayframe(5);
        read = readkey();
        return 1;
    }

    int calls = 0;
    int ready = 0;
    int read = 0;
};

TEST_F(Keys, AControlsKeyHandlerMayReadKeysAndRunFrames) {
    CONTROL* const processRoot = std::exchange(graphstate().treeroot, nullptr);
    {
        KeyReadingRoot root;
        ASSERT_EQ(graphstate().treeroot, &root);
        pressKey(now() + 1, "Left");
        pressKey(now() + 2, "x");
        // The frame hands the queued keys to the tree; the handler's own frame hands on the
        // newer ones, which the outer frame then leaves alone.
        delayframe(50);
        EXPECT_EQ(root.calls, 1);
        EXPECT_EQ(root.ready, 0x25 | KEYCODE_DOWN);
        EXPECT_EQ(root.read, 0x125);
        EXPECT_EQ(readkey(), 'x');
    }
    graphstate().treeroot = processRoot;
}

TEST(KeysDeathTest, AClosedWindowEndsTheReadsWhenTheProgramKeepsRunning) {
    EXPECT_EXIT(
        {
            openHeadlessWindow(64, 48, MODE_KEEPPROCESSONCLOSE);
            platform::headless::clickClose(now() + 10);
            const int key = readkey();
            KeyEventInfo info;
            info.kind = KEYEV_DOWN;
            readkeyevent(&info);
            const bool asked = graphstate().closerequested == 1 && key == 0 && info.kind == 0;
            std::exit(asked ? 7 : 1);
        },
        ::testing::ExitedWithCode(7), "");
}

}  // namespace
