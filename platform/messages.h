// The platform's message vocabulary: the message numbers backends deliver to the window
// procedure, their parameters' bits, and the virtual-key codes of keys. Each backend translates
// its own system's events into these; the runtime consumes them.
#pragma once

#include <cstdint>

namespace msg {

inline constexpr uint32_t kDestroy = 0x0002;
inline constexpr uint32_t kPaint = 0x000F;
inline constexpr uint32_t kClose = 0x0010;
inline constexpr uint32_t kQuit = 0x0012;
inline constexpr uint32_t kEraseBackground = 0x0014;
inline constexpr uint32_t kSetCursor = 0x0020;
inline constexpr uint32_t kKeyDown = 0x0100;
inline constexpr uint32_t kKeyUp = 0x0101;
inline constexpr uint32_t kChar = 0x0102;
inline constexpr uint32_t kTimer = 0x0113;
inline constexpr uint32_t kMouseMove = 0x0200;
inline constexpr uint32_t kLeftButtonDown = 0x0201;
inline constexpr uint32_t kLeftButtonUp = 0x0202;
inline constexpr uint32_t kRightButtonDown = 0x0204;
inline constexpr uint32_t kRightButtonUp = 0x0205;
inline constexpr uint32_t kMiddleButtonDown = 0x0207;
inline constexpr uint32_t kMiddleButtonUp = 0x0208;
inline constexpr uint32_t kMouseWheel = 0x020A;

// The runtime's refresh timer.
inline constexpr uintptr_t kRefreshTimerId = 916;

// Button and modifier bits of a mouse message's wparam.
inline constexpr uintptr_t kLeftButtonBit = 0x0001;
inline constexpr uintptr_t kRightButtonBit = 0x0002;
inline constexpr uintptr_t kShiftBit = 0x0004;
inline constexpr uintptr_t kControlBit = 0x0008;
inline constexpr uintptr_t kMiddleButtonBit = 0x0010;

// Bits of a key message's lparam.
inline constexpr uint32_t kKeyExtendedBit = 1u << 24;
inline constexpr uint32_t kKeyWasDownBit = 1u << 30;
inline constexpr uint32_t kKeyReleasedBit = 1u << 31;

// The lparam of a mouse message: x in the low 16 bits, y in the high 16 bits.
inline intptr_t pointParam(int x, int y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(y) & 0xFFFF) << 16 |
                                 (static_cast<uint32_t>(x) & 0xFFFF));
}
inline int paramX(intptr_t lparam) {
    return static_cast<int16_t>(lparam & 0xFFFF);
}
inline int paramY(intptr_t lparam) {
    return static_cast<int16_t>((lparam >> 16) & 0xFFFF);
}

}  // namespace msg

// Virtual-key codes of the keys the runtime and its programs name.
namespace vk {

inline constexpr int kLeftButton = 0x01;
inline constexpr int kRightButton = 0x02;
inline constexpr int kMiddleButton = 0x04;
inline constexpr int kBackspace = 0x08;
inline constexpr int kTab = 0x09;
inline constexpr int kEnter = 0x0D;
inline constexpr int kShift = 0x10;
inline constexpr int kControl = 0x11;
inline constexpr int kAlt = 0x12;
inline constexpr int kPause = 0x13;
inline constexpr int kCapsLock = 0x14;
inline constexpr int kEscape = 0x1B;
inline constexpr int kSpace = 0x20;
inline constexpr int kPageUp = 0x21;
inline constexpr int kPageDown = 0x22;
inline constexpr int kEnd = 0x23;
inline constexpr int kHome = 0x24;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;
inline constexpr int kSelect = 0x29;
inline constexpr int kPrint = 0x2A;
inline constexpr int kExecute = 0x2B;
inline constexpr int kPrintScreen = 0x2C;
inline constexpr int kInsert = 0x2D;
inline constexpr int kDelete = 0x2E;
inline constexpr int kHelp = 0x2F;
inline constexpr int kDigit0 = 0x30;   // to 0x39
inline constexpr int kLetterA = 0x41;  // to 0x5A
inline constexpr int kLeftWindows = 0x5B;
inline constexpr int kRightWindows = 0x5C;
inline constexpr int kMenu = 0x5D;
inline constexpr int kNumpad0 = 0x60;  // to 0x69
inline constexpr int kMultiply = 0x6A;
inline constexpr int kAdd = 0x6B;
inline constexpr int kSeparator = 0x6C;
inline constexpr int kSubtract = 0x6D;
inline constexpr int kDecimal = 0x6E;
inline constexpr int kDivide = 0x6F;
inline constexpr int kF1 = 0x70;  // to F24, 0x87
inline constexpr int kNumLock = 0x90;
inline constexpr int kScrollLock = 0x91;
inline constexpr int kLeftShift = 0xA0;
inline constexpr int kRightShift = 0xA1;
inline constexpr int kLeftControl = 0xA2;
inline constexpr int kRightControl = 0xA3;
inline constexpr int kLeftAlt = 0xA4;
inline constexpr int kRightAlt = 0xA5;
// Punctuation keys of a US keyboard.
inline constexpr int kOemSemicolon = 0xBA;
inline constexpr int kOemPlus = 0xBB;
inline constexpr int kOemComma = 0xBC;
inline constexpr int kOemMinus = 0xBD;
inline constexpr int kOemPeriod = 0xBE;
inline constexpr int kOemSlash = 0xBF;
inline constexpr int kOemBacktick = 0xC0;
inline constexpr int kOemOpenBracket = 0xDB;
inline constexpr int kOemBackslash = 0xDC;
inline constexpr int kOemCloseBracket = 0xDD;
inline constexpr int kOemQuote = 0xDE;
inline constexpr int kOem102 = 0xE2;

}  // namespace vk
