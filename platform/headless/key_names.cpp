#include "platform/headless/key_names.h"

#include <charconv>

#include "platform/messages.h"

namespace platform::headless {

namespace {

// A key by name: its virtual-key code, whether it is an extended key, and what it types.
struct NamedKey {
    std::string_view name;
    int virtualKey;
    bool extended;
    char32_t character;
};

constexpr NamedKey kNamedKeys[] = {
    {"BackSpace", vk::kBackspace, false, 8},
    {"Tab", vk::kTab, false, 9},
    {"Return", vk::kEnter, false, 13},
    {"KP_Enter", vk::kEnter, true, 13},
    {"Escape", vk::kEscape, false, 27},
    {"space", vk::kSpace, false, U' '},
    {"Pause", vk::kPause, false, kNoCharacter},
    {"Caps_Lock", vk::kCapsLock, false, kNoCharacter},
    {"Num_Lock", vk::kNumLock, true, kNoCharacter},
    {"Scroll_Lock", vk::kScrollLock, false, kNoCharacter},
    {"Print", vk::kPrintScreen, true, kNoCharacter},
    {"Menu", vk::kMenu, true, kNoCharacter},
    {"Super_L", vk::kLeftWindows, true, kNoCharacter},
    {"Super_R", vk::kRightWindows, true, kNoCharacter},
    {"Shift_L", vk::kShift, false, kNoCharacter},
    {"Shift_R", vk::kShift, false, kNoCharacter},
    {"Control_L", vk::kControl, false, kNoCharacter},
    {"Control_R", vk::kControl, true, kNoCharacter},
    {"Alt_L", vk::kAlt, false, kNoCharacter},
    {"Alt_R", vk::kAlt, true, kNoCharacter},
    // The navigation cluster between the main block and the keypad.
    {"Prior", vk::kPageUp, true, kNoCharacter},
    {"Next", vk::kPageDown, true, kNoCharacter},
    {"End", vk::kEnd, true, kNoCharacter},
    {"Home", vk::kHome, true, kNoCharacter},
    {"Left", vk::kLeft, true, kNoCharacter},
    {"Up", vk::kUp, true, kNoCharacter},
    {"Right", vk::kRight, true, kNoCharacter},
    {"Down", vk::kDown, true, kNoCharacter},
    {"Insert", vk::kInsert, true, kNoCharacter},
    {"Delete", vk::kDelete, true, kNoCharacter},
    // The keypad without Num Lock.
    {"KP_Prior", vk::kPageUp, false, kNoCharacter},
    {"KP_Next", vk::kPageDown, false, kNoCharacter},
    {"KP_End", vk::kEnd, false, kNoCharacter},
    {"KP_Home", vk::kHome, false, kNoCharacter},
    {"KP_Left", vk::kLeft, false, kNoCharacter},
    {"KP_Up", vk::kUp, false, kNoCharacter},
    {"KP_Right", vk::kRight, false, kNoCharacter},
    {"KP_Down", vk::kDown, false, kNoCharacter},
    {"KP_Insert", vk::kInsert, false, kNoCharacter},
    {"KP_Delete", vk::kDelete, false, kNoCharacter},
    {"KP_Multiply", vk::kMultiply, false, U'*'},
    {"KP_Add", vk::kAdd, false, U'+'},
    {"KP_Subtract", vk::kSubtract, false, U'-'},
    {"KP_Decimal", vk::kDecimal, false, U'.'},
    {"KP_Divide", vk::kDivide, true, U'/'},
    // Punctuation: the unshifted symbols name their keys; the shifted ones name no key of
    // their own.
    {"semicolon", vk::kOemSemicolon, false, U';'},
    {"equal", vk::kOemPlus, false, U'='},
    {"comma", vk::kOemComma, false, U','},
    {"minus", vk::kOemMinus, false, U'-'},
    {"period", vk::kOemPeriod, false, U'.'},
    {"slash", vk::kOemSlash, false, U'/'},
    {"grave", vk::kOemBacktick, false, U'`'},
    {"bracketleft", vk::kOemOpenBracket, false, U'['},
    {"backslash", vk::kOemBackslash, false, U'\\'},
    {"bracketright", vk::kOemCloseBracket, false, U']'},
    {"apostrophe", vk::kOemQuote, false, U'\''},
    {"less", vk::kOem102, false, U'<'},
    {"exclam", 0, false, U'!'},
    {"quotedbl", 0, false, U'"'},
    {"numbersign", 0, false, U'#'},
    {"dollar", 0, false, U'$'},
    {"percent", 0, false, U'%'},
    {"ampersand", 0, false, U'&'},
    {"parenleft", 0, false, U'('},
    {"parenright", 0, false, U')'},
    {"asterisk", 0, false, U'*'},
    {"plus", 0, false, U'+'},
    {"colon", 0, false, U':'},
    {"greater", 0, false, U'>'},
    {"question", 0, false, U'?'},
    {"at", 0, false, U'@'},
    {"asciicircum", 0, false, U'^'},
    {"underscore", 0, false, U'_'},
    {"braceleft", 0, false, U'{'},
    {"bar", 0, false, U'|'},
    {"braceright", 0, false, U'}'},
    {"asciitilde", 0, false, U'~'},
};

KeyStroke strokeOf(int virtualKey, bool extended, char32_t character) {
    KeyStroke stroke;
    stroke.virtualKey = virtualKey;
    stroke.extended = extended;
    stroke.character = character;
    return stroke;
}

// "F1" to "F24".
std::optional<KeyStroke> functionKeyNamed(std::string_view name) {
    int number = 0;
    if (name.size() < 2 || name[0] != 'F')
        return std::nullopt;
    const auto [end, error] = std::from_chars(name.data() + 1, name.data() + name.size(), number);
    if (error != std::errc() || end != name.data() + name.size() || number < 1 || number > 24)
        return std::nullopt;
    return strokeOf(vk::kF1 + number - 1, false, kNoCharacter);
}

// "KP_0" to "KP_9": the keypad's digits with Num Lock.
std::optional<KeyStroke> keypadDigitNamed(std::string_view name) {
    if (name.size() != 4 || !name.starts_with("KP_") || name[3] < '0' || name[3] > '9')
        return std::nullopt;
    const int digit = name[3] - '0';
    return strokeOf(vk::kNumpad0 + digit, false, U'0' + digit);
}

// "U+4E2D": a key that types the character and has no code of its own.
std::optional<KeyStroke> codePointNamed(std::string_view name) {
    uint32_t code = 0;
    if (name.size() < 3 || !name.starts_with("U+"))
        return std::nullopt;
    const auto [end, error] = std::from_chars(name.data() + 2, name.data() + name.size(), code, 16);
    if (error != std::errc() || end != name.data() + name.size() || code == 0 || code > 0x10FFFF)
        return std::nullopt;
    return strokeOf(0, false, code);
}

// A letter or a digit, named by itself; both cases of a letter are the letter's key.
std::optional<KeyStroke> letterOrDigitNamed(std::string_view name) {
    if (name.size() != 1)
        return std::nullopt;
    const char ch = name[0];
    if (ch >= 'a' && ch <= 'z')
        return strokeOf(vk::kLetterA + (ch - 'a'), false, static_cast<char32_t>(ch));
    if (ch >= 'A' && ch <= 'Z')
        return strokeOf(vk::kLetterA + (ch - 'A'), false, static_cast<char32_t>(ch));
    if (ch >= '0' && ch <= '9')
        return strokeOf(vk::kDigit0 + (ch - '0'), false, static_cast<char32_t>(ch));
    return std::nullopt;
}

}  // namespace

std::optional<KeyStroke> keyNamed(std::string_view name) {
    for (const NamedKey& key : kNamedKeys) {
        if (key.name == name)
            return strokeOf(key.virtualKey, key.extended, key.character);
    }
    for (const auto byPattern :
         {letterOrDigitNamed, functionKeyNamed, keypadDigitNamed, codePointNamed}) {
        if (std::optional<KeyStroke> stroke = byPattern(name))
            return stroke;
    }
    return std::nullopt;
}

}  // namespace platform::headless
