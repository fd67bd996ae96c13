#include "platform/linux/keysyms.h"

#include <X11/keysym.h>

#include <initializer_list>
#include <span>

#include "platform/messages.h"

namespace platform {

namespace {

// A key known by one key symbol.
struct NamedKey {
    uint32_t keysym;
    int virtualKey;
    bool extended;  // in the navigation cluster or on the right of the main block
};

constexpr NamedKey kNamedKeys[] = {
    {XK_BackSpace, vk::kBackspace, false},
    {XK_Tab, vk::kTab, false},
    {XK_ISO_Left_Tab, vk::kTab, false},
    {XK_Return, vk::kEnter, false},
    {XK_KP_Enter, vk::kEnter, true},
    {XK_Escape, vk::kEscape, false},
    {XK_space, vk::kSpace, false},
    {XK_Pause, vk::kPause, false},
    {XK_Caps_Lock, vk::kCapsLock, false},
    {XK_Num_Lock, vk::kNumLock, true},
    {XK_Scroll_Lock, vk::kScrollLock, false},
    {XK_Print, vk::kPrintScreen, true},
    {XK_Sys_Req, vk::kPrintScreen, true},
    {XK_Select, vk::kSelect, true},
    {XK_Execute, vk::kExecute, true},
    {XK_Help, vk::kHelp, true},
    {XK_Menu, vk::kMenu, true},
    {XK_Super_L, vk::kLeftWindows, true},
    {XK_Super_R, vk::kRightWindows, true},
    {XK_Shift_L, vk::kShift, false},
    {XK_Shift_R, vk::kShift, false},
    {XK_Control_L, vk::kControl, false},
    {XK_Control_R, vk::kControl, true},
    {XK_Alt_L, vk::kAlt, false},
    {XK_Meta_L, vk::kAlt, false},
    {XK_Alt_R, vk::kAlt, true},
    {XK_Meta_R, vk::kAlt, true},
    {XK_ISO_Level3_Shift, vk::kAlt, true},
    // The navigation cluster between the main block and the keypad.
    {XK_Prior, vk::kPageUp, true},
    {XK_Next, vk::kPageDown, true},
    {XK_End, vk::kEnd, true},
    {XK_Home, vk::kHome, true},
    {XK_Left, vk::kLeft, true},
    {XK_Up, vk::kUp, true},
    {XK_Right, vk::kRight, true},
    {XK_Down, vk::kDown, true},
    {XK_Insert, vk::kInsert, true},
    {XK_Delete, vk::kDelete, true},
    // The keypad without Num Lock is a second navigation cluster.
    {XK_KP_Prior, vk::kPageUp, false},
    {XK_KP_Next, vk::kPageDown, false},
    {XK_KP_End, vk::kEnd, false},
    {XK_KP_Home, vk::kHome, false},
    {XK_KP_Left, vk::kLeft, false},
    {XK_KP_Up, vk::kUp, false},
    {XK_KP_Right, vk::kRight, false},
    {XK_KP_Down, vk::kDown, false},
    {XK_KP_Insert, vk::kInsert, false},
    {XK_KP_Delete, vk::kDelete, false},
    {XK_KP_Multiply, vk::kMultiply, false},
    {XK_KP_Add, vk::kAdd, false},
    {XK_KP_Separator, vk::kSeparator, false},
    {XK_KP_Subtract, vk::kSubtract, false},
    {XK_KP_Decimal, vk::kDecimal, false},
    {XK_KP_Divide, vk::kDivide, true},
    // Punctuation, by the unshifted symbol of a US keyboard.
    {XK_semicolon, vk::kOemSemicolon, false},
    {XK_equal, vk::kOemPlus, false},
    {XK_comma, vk::kOemComma, false},
    {XK_minus, vk::kOemMinus, false},
    {XK_period, vk::kOemPeriod, false},
    {XK_slash, vk::kOemSlash, false},
    {XK_grave, vk::kOemBacktick, false},
    {XK_bracketleft, vk::kOemOpenBracket, false},
    {XK_backslash, vk::kOemBackslash, false},
    {XK_bracketright, vk::kOemCloseBracket, false},
    {XK_apostrophe, vk::kOemQuote, false},
    {XK_less, vk::kOem102, false},
};

// Keys whose symbols and codes both run in order.
struct KeyRange {
    uint32_t firstKeysym;
    uint32_t lastKeysym;
    int firstVirtualKey;
};

constexpr KeyRange kKeyRanges[] = {
    {XK_a, XK_z, vk::kLetterA}, {XK_A, XK_Z, vk::kLetterA},       {XK_0, XK_9, vk::kDigit0},
    {XK_F1, XK_F24, vk::kF1},   {XK_KP_0, XK_KP_9, vk::kNumpad0},
};

// The left and right variants of the modifiers, asked for by their own codes.
constexpr NamedKey kSidedModifiers[] = {
    {XK_Shift_L, vk::kLeftShift, false},     {XK_Shift_R, vk::kRightShift, false},
    {XK_Control_L, vk::kLeftControl, false}, {XK_Control_R, vk::kRightControl, true},
    {XK_Alt_L, vk::kLeftAlt, false},         {XK_Alt_R, vk::kRightAlt, true},
};

NamedKey keyNamed(uint32_t keysym) {
    for (const KeyRange& range : kKeyRanges) {
        if (keysym >= range.firstKeysym && keysym <= range.lastKeysym) {
            return {keysym, range.firstVirtualKey + static_cast<int>(keysym - range.firstKeysym),
                    false};
        }
    }
    for (const NamedKey& key : kNamedKeys) {
        if (key.keysym == keysym)
            return key;
    }
    return {keysym, 0, false};
}

bool isKeypadKeysym(uint32_t keysym) {
    return keysym >= XK_KP_Space && keysym <= XK_KP_Equal;
}

NamedKey keyOf(uint32_t keysym, uint32_t unshiftedKeysym) {
    if (isKeypadKeysym(keysym))
        return keyNamed(keysym);
    const NamedKey key = keyNamed(unshiftedKeysym);
    return key.virtualKey != 0 ? key : keyNamed(keysym);
}

// The character a key symbol stands for on its own.
char32_t characterOf(uint32_t keysym) {
    constexpr uint32_t kUnicodeKeysyms = 0x01000000;
    if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF))
        return keysym;
    if (keysym >= kUnicodeKeysyms + 0x20 && keysym <= kUnicodeKeysyms + 0x10FFFF) {
        return keysym - kUnicodeKeysyms;
    }
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        return U'0' + (keysym - XK_KP_0);
    switch (keysym) {
        case XK_BackSpace:
            return 8;
        case XK_Tab:
        case XK_ISO_Left_Tab:
        case XK_KP_Tab:
            return 9;
        case XK_Return:
        case XK_KP_Enter:
            return 13;
        case XK_Escape:
            return 27;
        case XK_KP_Space:
            return U' ';
        case XK_KP_Equal:
            return U'=';
        case XK_KP_Multiply:
            return U'*';
        case XK_KP_Add:
            return U'+';
        case XK_KP_Separator:
            return U',';
        case XK_KP_Subtract:
            return U'-';
        case XK_KP_Decimal:
            return U'.';
        case XK_KP_Divide:
            return U'/';
        default:
            return kNoCharacter;
    }
}

}  // namespace

int virtualKeyOf(uint32_t keysym, uint32_t unshiftedKeysym) {
    return keyOf(keysym, unshiftedKeysym).virtualKey;
}

KeyStroke strokeOf(uint32_t keysym, uint32_t unshiftedKeysym, int keycode) {
    const NamedKey key = keyOf(keysym, unshiftedKeysym);
    KeyStroke stroke;
    stroke.virtualKey = key.virtualKey;
    stroke.extended = key.extended;
    stroke.scanCode = keycode - kFirstKeycode;
    stroke.character = characterOf(keysym);
    return stroke;
}

KeysymList keysymsOf(int virtualKey) {
    KeysymList keysyms;
    for (const KeyRange& range : kKeyRanges) {
        const int offset = virtualKey - range.firstVirtualKey;
        if (offset >= 0 && offset <= static_cast<int>(range.lastKeysym - range.firstKeysym)) {
            keysyms.add(range.firstKeysym + offset);
        }
    }
    using Table = std::span<const NamedKey>;
    for (const Table table : {Table(kNamedKeys), Table(kSidedModifiers)}) {
        for (const NamedKey& key : table) {
            if (key.virtualKey == virtualKey)
                keysyms.add(key.keysym);
        }
    }
    return keysyms;
}

}  // namespace platform
