// Keyboard and mouse input sent to the server with xdotool and XTest, as it reaches the window
// thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

#include "platform/messages.h"
#include "tests/support/x11_screen.h"
#include "tests/support/x11_window.h"
#include "tests/support/xvfb.h"

// After Xlib, which the window's header brings in.
#include <X11/extensions/XTest.h>

namespace {

using platform::Message;

constexpr int kWidth = 200;
constexpr int kHeight = 150;
// Where the test puts the window on the screen, so that screen and client positions differ.
constexpr int kLeft = 100;
constexpr int kTop = 60;

bool isKeyMessage(const Message& m) {
    return m.message == msg::kKeyDown || m.message == msg::kKeyUp || m.message == msg::kChar;
}

std::vector<Message> keyMessagesIn(const std::vector<Message>& messages) {
    std::vector<Message> keys;
    std::copy_if(messages.begin(), messages.end(), std::back_inserter(keys), isKeyMessage);
    return keys;
}

bool xdotool(const std::string& arguments) {
    return std::system(("xdotool " + arguments).c_str()) == 0;
}

// Types a character that no key of the server's keymap has, as a keyboard that has it would:
// on a key of its own (addKeyFor), pressed through XTest.
bool typeCharacterOffTheKeymap(Display* display, KeySym keysym) {
    const unsigned keycode = addKeyFor(display, keysym);
    const bool sent = keycode != 0 && XTestFakeKeyEvent(display, keycode, True, CurrentTime) != 0 &&
                      XTestFakeKeyEvent(display, keycode, False, CurrentTime) != 0;
    XSync(display, False);
    return sent;
}

bool isKeyDown(const Message& m, uintptr_t key) {
    return m.message == msg::kKeyDown && m.wparam == key;
}

std::function<bool(const Message&)> isMoveTo(intptr_t position) {
    return [position](const Message& m) {
        return m.message == msg::kMouseMove && m.lparam == position;
    };
}

class X11Input : public ::testing::Test {
protected:
    explicit X11Input(const XvfbOptions& options = {}) : server_(options) {}

    void SetUp() override {
        ASSERT_TRUE(server_.running()) << server_.error();
        ASSERT_TRUE(pumped_.made()) << pumped_.error();
        XMoveWindow(display(), xid(), kLeft, kTop);
        ASSERT_TRUE(pumped_.showAndWaitForPaint());
        // Without a window manager the focus must be given by hand.
        XSetInputFocus(display(), xid(), RevertToParent, CurrentTime);
        XSync(display(), False);
    }

    Display* display() { return server_.connection(); }
    ::Window xid() { return pumped_.window().xid(); }
    platform::x11::X11Window& window() { return pumped_.window(); }

    // Types the keys and returns the key messages up to the key-up of `lastKey`.
    std::vector<Message> keysOf(const std::string& keys, uintptr_t lastKey) {
        EXPECT_TRUE(xdotool("key " + keys));
        return keyMessagesIn(pumped_.messagesUntil(isMessage(msg::kKeyUp, lastKey)));
    }

    std::vector<Message> until(uint32_t message) {
        return pumped_.messagesUntil(isMessage(message));
    }

    // The server first: the window connects to it.
    Xvfb server_;
    PumpedWindow pumped_{windowOfSize(kWidth, kHeight)};
};

// On a desktop that asks for twice the size: the window is twice as large, and the positions it
// reports are in the picture's pixels, rounded down.
class X11ScaledInput : public X11Input {
protected:
    X11ScaledInput() : X11Input({.resources = "Xft.dpi: 192"}) {}
};

TEST_F(X11Input, LetterGivesKeyDownCharacterKeyUp) {
    const std::vector<Message> keys = keysOf("a", 0x41);
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].message, msg::kKeyDown);
    EXPECT_EQ(keys[0].wparam, 0x41u);
    EXPECT_EQ(keys[0].lparam & 0xFFFF, 1);    // repeat count
    EXPECT_NE(keys[0].lparam & 0xFF0000, 0);  // scan code
    EXPECT_EQ(keys[0].lparam & msg::kKeyWasDownBit, 0);
    EXPECT_EQ(keys[1].message, msg::kChar);
    EXPECT_EQ(keys[1].wparam, 97u);
    EXPECT_EQ(keys[2].message, msg::kKeyUp);
    EXPECT_NE(keys[2].lparam & msg::kKeyReleasedBit, 0);
}

TEST_F(X11Input, ShiftedLetterTypesTheCapital) {
    // xdotool lets go of Shift before the letter.
    const std::vector<Message> keys = keysOf("shift+a", 0x41);
    ASSERT_EQ(keys.size(), 5u);
    EXPECT_TRUE(isKeyDown(keys[0], 0x10));
    EXPECT_TRUE(isKeyDown(keys[1], 0x41));
    EXPECT_EQ(keys[2].message, msg::kChar);
    EXPECT_EQ(keys[2].wparam, 65u);
}

TEST_F(X11Input, NavigationAndFunctionKeysTypeNothing) {
    std::vector<Message> keys = keysOf("Left", 0x25);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_TRUE(isKeyDown(keys[0], 0x25));
    EXPECT_NE(keys[0].lparam & msg::kKeyExtendedBit, 0);

    keys = keysOf("F1", 0x70);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_TRUE(isKeyDown(keys[0], 0x70));

    keys = keysOf("Num_Lock", 0x90);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_TRUE(isKeyDown(keys[0], 0x90));
}

TEST_F(X11Input, EnterTypesCarriageReturn) {
    const std::vector<Message> keys = keysOf("Return", 0x0D);
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_TRUE(isKeyDown(keys[0], 0x0D));
    EXPECT_EQ(keys[1].wparam, 13u);
}

TEST_F(X11Input, ChineseCharacterArrivesAsTwoGbkBytes) {
    ASSERT_TRUE(typeCharacterOffTheKeymap(display(), 0x1004E2D));  // U+4E2D 中
    std::vector<Message> chars;
    for (const Message& m : keyMessagesIn(until(msg::kKeyUp))) {
        if (m.message == msg::kChar)
            chars.push_back(m);
    }
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].wparam, 0xD6u);
    EXPECT_EQ(chars[1].wparam, 0xD0u);
}

TEST_F(X11Input, HeldKeyRepeatsKeyDownsWithoutReleases) {
    ASSERT_TRUE(xdotool("keydown b sleep 1 keyup b"));
    const std::vector<Message> keys = keyMessagesIn(until(msg::kKeyUp));
    const auto downs = std::count_if(keys.begin(), keys.end(),
                                     [](const Message& m) { return isKeyDown(m, 0x42); });
    ASSERT_GE(downs, 2) << "the server did not repeat the held key";
    EXPECT_EQ(keys.front().lparam & msg::kKeyWasDownBit, 0);
    for (size_t i = 1; i + 1 < keys.size(); ++i) {
        EXPECT_NE(keys[i].message, msg::kKeyUp);
        if (keys[i].message == msg::kKeyDown) {
            EXPECT_NE(keys[i].lparam & msg::kKeyWasDownBit, 0);
        }
    }
    EXPECT_EQ(keys.back().message, msg::kKeyUp);
}

TEST_F(X11Input, KeyHeldAsksTheServer) {
    ASSERT_TRUE(xdotool("keydown shift"));
    until(msg::kKeyDown);
    EXPECT_TRUE(window().keyHeld(0x10));
    EXPECT_TRUE(window().keyHeld(0xA0));  // the left one
    EXPECT_FALSE(window().keyHeld(0xA1));
    EXPECT_FALSE(window().keyHeld(0x41));
    ASSERT_TRUE(xdotool("keyup shift"));
    until(msg::kKeyUp);
    EXPECT_FALSE(window().keyHeld(0x10));
}

TEST_F(X11Input, ButtonsReportTheButtonsHeldAfterTheEventAndClientPositions) {
    ASSERT_TRUE(
        xdotool("mousemove " + std::to_string(kLeft + 30) + " " + std::to_string(kTop + 40)));
    std::vector<Message> messages = until(msg::kMouseMove);
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[messages.size() - 2].message, msg::kSetCursor);
    EXPECT_EQ(messages.back().lparam, msg::pointParam(30, 40));
    EXPECT_TRUE(window().pointerInClient());

    ASSERT_TRUE(xdotool("mousedown 1"));
    Message down = until(msg::kLeftButtonDown).back();
    EXPECT_EQ(down.wparam, msg::kLeftButtonBit);
    EXPECT_EQ(down.lparam, msg::pointParam(30, 40));
    EXPECT_TRUE(window().keyHeld(0x01));
    ASSERT_TRUE(xdotool("mousedown 3"));
    EXPECT_EQ(until(msg::kRightButtonDown).back().wparam,
              msg::kLeftButtonBit | msg::kRightButtonBit);
    ASSERT_TRUE(xdotool("mouseup 1 mouseup 3"));
    EXPECT_EQ(until(msg::kLeftButtonUp).back().wparam, msg::kRightButtonBit);
    EXPECT_EQ(until(msg::kRightButtonUp).back().wparam, 0u);

    ASSERT_TRUE(xdotool("keydown ctrl click 2 keyup ctrl"));
    EXPECT_EQ(until(msg::kMiddleButtonDown).back().wparam,
              msg::kMiddleButtonBit | msg::kControlBit);
}

TEST_F(X11Input, WheelGivesDeltaAndScreenPosition) {
    ASSERT_TRUE(xdotool("mousemove " + std::to_string(kLeft + 30) + " " +
                        std::to_string(kTop + 40) + " click 4 click 5"));
    std::vector<Message> wheel;
    for (int i = 0; i < 2; ++i)
        wheel.push_back(until(msg::kMouseWheel).back());
    EXPECT_EQ(static_cast<int16_t>(wheel[0].wparam >> 16), 120);
    EXPECT_EQ(static_cast<int16_t>(wheel[1].wparam >> 16), -120);
    EXPECT_EQ(wheel[0].lparam, msg::pointParam(kLeft + 30, kTop + 40));
    const platform::Point client = window().screenToClient({kLeft + 30, kTop + 40});
    EXPECT_EQ(client.x, 30);
    EXPECT_EQ(client.y, 40);
}

TEST_F(X11Input, CaptureKeepsMovesComingFromOutside) {
    window().captureMouse(true);
    ASSERT_TRUE(xdotool("mousemove 20 20"));
    const intptr_t outside = msg::pointParam(20 - kLeft, 20 - kTop);
    const std::vector<Message> messages = pumped_.messagesUntil(isMoveTo(outside));
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().lparam, outside);
    EXPECT_FALSE(window().pointerInClient());
    window().captureMouse(false);
    window().setCursor(platform::Cursor::Hidden);
    window().setCursor(platform::Cursor::Arrow);
}

std::string screenPoint(int x, int y) {
    return std::to_string(kLeft + x) + " " + std::to_string(kTop + y);
}

TEST_F(X11ScaledInput, PositionsArriveInThePicturesPixels) {
    EXPECT_EQ(window().clientSize().width, kWidth);
    EXPECT_EQ(window().clientSize().height, kHeight);

    // Both device pixels of a picture pixel give that pixel.
    ASSERT_TRUE(xdotool("mousemove " + screenPoint(61, 81) + " click 1"));
    EXPECT_EQ(until(msg::kMouseMove).back().lparam, msg::pointParam(30, 40));
    EXPECT_EQ(until(msg::kLeftButtonDown).back().lparam, msg::pointParam(30, 40));
    ASSERT_TRUE(xdotool("mousemove " + screenPoint(60, 80) + " click 3"));
    EXPECT_EQ(until(msg::kRightButtonUp).back().lparam, msg::pointParam(30, 40));
    EXPECT_TRUE(window().pointerInClient());
    const platform::Point client = window().screenToClient({kLeft + 61, kTop + 81});
    EXPECT_EQ(client.x, 30);
    EXPECT_EQ(client.y, 40);

    // The last device pixels are still in the window, and the first ones left of and above it
    // give -1.
    ASSERT_TRUE(xdotool("mousemove " + screenPoint(2 * kWidth - 1, 2 * kHeight - 1)));
    EXPECT_EQ(until(msg::kMouseMove).back().lparam, msg::pointParam(kWidth - 1, kHeight - 1));
    window().captureMouse(true);
    ASSERT_TRUE(xdotool("mousemove " + screenPoint(-1, -2)));
    const std::vector<Message> messages = pumped_.messagesUntil(isMoveTo(msg::pointParam(-1, -1)));
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().lparam, msg::pointParam(-1, -1));
    window().captureMouse(false);
}

}  // namespace
