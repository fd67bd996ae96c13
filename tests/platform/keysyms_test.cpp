// Key symbols translated without a server: virtual-key codes, typed GBK bytes, lparam bits and
// the message sequences the Linux window systems deliver.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/linux/keysyms.h"
#include "platform/messages.h"

namespace {

using platform::KeyStroke;
using platform::Message;

// The key code X servers give the A key on a PC keyboard, and its scan code.
constexpr int kKeycodeOfA = 38;
constexpr uint32_t kScanCodeOfA = 30;

KeyStroke press(uint32_t keysym, uint32_t unshifted) {
    return platform::strokeOf(keysym, unshifted, kKeycodeOfA);
}

KeyStroke press(uint32_t keysym) {
    return press(keysym, keysym);
}

std::vector<Message> messagesOf(const KeyStroke& stroke) {
    const platform::KeyMessages messages = platform::keyMessages(stroke);
    return {messages.begin(), messages.end()};
}

TEST(VirtualKeys, LettersDigitsAndFunctionKeysByRange) {
    EXPECT_EQ(platform::virtualKeyOf(XK_a, XK_a), 0x41);
    EXPECT_EQ(platform::virtualKeyOf(XK_Z, XK_z), 0x5A);
    EXPECT_EQ(platform::virtualKeyOf(XK_A, 0), 0x41);  // without a first level, the key itself
    EXPECT_EQ(platform::virtualKeyOf(XK_0, XK_0), 0x30);
    EXPECT_EQ(platform::virtualKeyOf(XK_exclam, XK_1), 0x31);  // Shift+1 is still the 1 key
    EXPECT_EQ(platform::virtualKeyOf(XK_F1, XK_F1), 0x70);
    EXPECT_EQ(platform::virtualKeyOf(XK_F24, XK_F24), 0x87);
}

TEST(VirtualKeys, NamedKeysAndPunctuation) {
    const struct {
        uint32_t keysym;
        uint32_t unshifted;
        int virtualKey;
    } cases[] = {
        {XK_Left, XK_Left, 0x25},
        {XK_Down, XK_Down, 0x28},
        {XK_Prior, XK_Prior, 0x21},
        {XK_Next, XK_Next, 0x22},
        {XK_End, XK_End, 0x23},
        {XK_Home, XK_Home, 0x24},
        {XK_Insert, XK_Insert, 0x2D},
        {XK_Delete, XK_Delete, 0x2E},
        {XK_space, XK_space, 0x20},
        {XK_Return, XK_Return, 0x0D},
        {XK_KP_Enter, XK_KP_Enter, 0x0D},
        {XK_Escape, XK_Escape, 0x1B},
        {XK_BackSpace, XK_BackSpace, 0x08},
        {XK_ISO_Left_Tab, XK_Tab, 0x09},
        {XK_Shift_R, XK_Shift_R, 0x10},
        {XK_Control_L, XK_Control_L, 0x11},
        {XK_Alt_R, XK_Alt_R, 0x12},
        {XK_Caps_Lock, XK_Caps_Lock, 0x14},
        {XK_Pause, XK_Pause, 0x13},
        {XK_Print, XK_Print, 0x2C},
        {XK_Num_Lock, XK_Num_Lock, 0x90},
        {XK_Scroll_Lock, XK_Scroll_Lock, 0x91},
        {XK_Menu, XK_Menu, 0x5D},
        {XK_Super_L, XK_Super_L, 0x5B},
        {XK_Super_R, XK_Super_R, 0x5C},
        {XK_colon, XK_semicolon, 0xBA},
        {XK_plus, XK_equal, 0xBB},
        {XK_less, XK_comma, 0xBC},
        {XK_underscore, XK_minus, 0xBD},
        {XK_question, XK_slash, 0xBF},
        {XK_asciitilde, XK_grave, 0xC0},
        {XK_braceleft, XK_bracketleft, 0xDB},
        {XK_bar, XK_backslash, 0xDC},
        {XK_braceright, XK_bracketright, 0xDD},
        {XK_quotedbl, XK_apostrophe, 0xDE},
        {XK_greater, XK_less, 0xE2},
        {XK_udiaeresis, XK_udiaeresis, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::virtualKeyOf(c.keysym, c.unshifted), c.virtualKey)
            << "keysym 0x" << std::hex << c.keysym;
    }
}

TEST(VirtualKeys, KeypadGoesByNumLock) {
    // With Num Lock the keypad types digits, without it the keys move.
    EXPECT_EQ(platform::virtualKeyOf(XK_KP_7, XK_KP_Home), 0x67);
    EXPECT_EQ(platform::virtualKeyOf(XK_KP_Home, XK_KP_Home), 0x24);
    EXPECT_EQ(platform::virtualKeyOf(XK_KP_Decimal, XK_KP_Delete), 0x6E);
    EXPECT_EQ(platform::virtualKeyOf(XK_KP_Delete, XK_KP_Delete), 0x2E);
    EXPECT_EQ(platform::virtualKeyOf(XK_KP_Multiply, XK_KP_Multiply), 0x6A);
    EXPECT_EQ(platform::virtualKeyOf(XK_KP_Divide, XK_KP_Divide), 0x6F);
}

TEST(TypedCharacters, AsciiControlAndNone) {
    EXPECT_EQ(platform::typedGbk(press(XK_a)), "a");
    EXPECT_EQ(platform::typedGbk(press(XK_A, XK_a)), "A");
    EXPECT_EQ(platform::typedGbk(press(XK_Return)), "\r");
    EXPECT_EQ(platform::typedGbk(press(XK_KP_Enter)), "\r");
    EXPECT_EQ(platform::typedGbk(press(XK_Tab)), "\t");
    EXPECT_EQ(platform::typedGbk(press(XK_BackSpace)), "\b");
    EXPECT_EQ(platform::typedGbk(press(XK_Escape)), "\x1B");
    EXPECT_EQ(platform::typedGbk(press(XK_KP_5, XK_KP_Begin)), "5");
    EXPECT_EQ(platform::typedGbk(press(XK_Left)), "");
    EXPECT_EQ(platform::typedGbk(press(XK_Delete)), "");
    EXPECT_EQ(platform::typedGbk(press(XK_F1)), "");
    EXPECT_EQ(platform::typedGbk(press(XK_Shift_L)), "");

    const auto withControl = [](KeyStroke stroke) {
        stroke.control = true;
        return stroke;
    };
    EXPECT_EQ(platform::typedGbk(withControl(press(XK_a))), "\x01");
    EXPECT_EQ(platform::typedGbk(withControl(press(XK_Return))), "\n");
    EXPECT_EQ(platform::typedGbk(withControl(press(XK_1))), "");

    KeyStroke alt = press(XK_a);
    alt.alt = true;
    EXPECT_EQ(platform::typedGbk(alt), "");
}

TEST(TypedCharacters, OutsideAsciiAsGbk) {
    constexpr uint32_t kUnicodeKeysyms = 0x01000000;
    EXPECT_EQ(platform::typedGbk(press(kUnicodeKeysyms + 0x4E2D)), "\xD6\xD0");  // 中
    EXPECT_EQ(platform::typedGbk(press(kUnicodeKeysyms + 0x6587)), "\xCE\xC4");  // 文
    EXPECT_EQ(platform::typedGbk(press(XK_eacute)), "\xA8\xA6");                 // é, Latin-1
    EXPECT_EQ(platform::typedGbk(press(kUnicodeKeysyms + 0x1F600)), "?");  // not in the code page
}

TEST(KeyParameters, ScanCodeExtendedPreviousStateAndRelease) {
    KeyStroke stroke = press(XK_a);
    EXPECT_EQ(platform::keyParam(stroke), 1 | kScanCodeOfA << 16);
    stroke.wasDown = true;
    EXPECT_EQ(platform::keyParam(stroke), 1 | kScanCodeOfA << 16 | msg::kKeyWasDownBit);
    stroke.wasDown = false;
    stroke.pressed = false;
    EXPECT_EQ(
        platform::keyParam(stroke),
        static_cast<intptr_t>(1 | kScanCodeOfA << 16 | msg::kKeyWasDownBit | msg::kKeyReleasedBit));

    for (const uint32_t keysym :
         {XK_Left, XK_Home, XK_Insert, XK_KP_Enter, XK_Control_R, XK_Alt_R}) {
        EXPECT_NE(platform::keyParam(press(keysym)) & msg::kKeyExtendedBit, 0)
            << "keysym 0x" << std::hex << keysym;
    }
    for (const uint32_t keysym : {XK_KP_Left, XK_Return, XK_Control_L, XK_a}) {
        EXPECT_EQ(platform::keyParam(press(keysym)) & msg::kKeyExtendedBit, 0)
            << "keysym 0x" << std::hex << keysym;
    }
}

TEST(KeyMessages, PressGivesKeyDownThenEveryTypedByteReleaseGivesKeyUp) {
    const KeyStroke chinese = press(0x01004E2D, 0x01004E2D);
    const std::vector<Message> down = messagesOf(chinese);
    ASSERT_EQ(down.size(), 3u);
    EXPECT_EQ(down[0].message, msg::kKeyDown);
    EXPECT_EQ(down[1].message, msg::kChar);
    EXPECT_EQ(down[1].wparam, 0xD6u);
    EXPECT_EQ(down[2].wparam, 0xD0u);
    EXPECT_EQ(down[1].lparam, down[0].lparam);

    const std::vector<Message> left = messagesOf(press(XK_Left));
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].wparam, 0x25u);

    KeyStroke release = press(XK_A, XK_a);
    release.pressed = false;
    const std::vector<Message> up = messagesOf(release);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].message, msg::kKeyUp);
    EXPECT_EQ(up[0].wparam, 0x41u);
}

TEST(KeysymsOfVirtualKeys, EveryKeyOfTheCode) {
    const auto keysymsOf = [](int virtualKey) {
        const platform::KeysymList keysyms = platform::keysymsOf(virtualKey);
        return std::vector<uint32_t>(keysyms.begin(), keysyms.end());
    };
    EXPECT_EQ(keysymsOf(0x41), (std::vector<uint32_t>{XK_a, XK_A}));
    EXPECT_EQ(keysymsOf(0x10), (std::vector<uint32_t>{XK_Shift_L, XK_Shift_R}));
    EXPECT_EQ(keysymsOf(0xA3), (std::vector<uint32_t>{XK_Control_R}));
    EXPECT_EQ(keysymsOf(0x24), (std::vector<uint32_t>{XK_Home, XK_KP_Home}));
    EXPECT_EQ(keysymsOf(0x60), (std::vector<uint32_t>{XK_KP_0}));
    EXPECT_EQ(keysymsOf(0x87), (std::vector<uint32_t>{XK_F24}));
    EXPECT_TRUE(keysymsOf(0x07).empty());
}

}  // namespace
