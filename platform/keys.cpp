#include "platform/keys.h"

#include "platform/gbk.h"
#include "platform/messages.h"

namespace platform {

namespace {

// What a key types with Ctrl held: control characters for letters and a few others.
char32_t controlCharacterOf(char32_t ch) {
    if ((ch >= U'a' && ch <= U'z') || (ch >= U'A' && ch <= U'Z'))
        return ch & 0x1F;
    switch (ch) {
        case U'[':
        case U'\\':
        case U']':
            return ch & 0x1F;
        case 13:
            return 10;
        case 8:
            return 127;
        case 27:
        case U' ':
            return ch;
        default:
            return kNoCharacter;
    }
}

}  // namespace

std::string typedCharacterBytes(char32_t ch) {
    std::string bytes = encodeGbk(ch);
    return bytes.empty() ? "?" : bytes;
}

std::string typedGbk(const KeyStroke& stroke) {
    // Alt combinations are commands for the window's menu, not typing.
    if (!stroke.pressed || stroke.alt)
        return {};
    const char32_t ch = stroke.control ? controlCharacterOf(stroke.character) : stroke.character;
    if (ch == kNoCharacter)
        return {};
    return typedCharacterBytes(ch);
}

intptr_t keyParam(const KeyStroke& stroke) {
    const uint32_t scanCode = static_cast<uint32_t>(stroke.scanCode) & 0xFF;
    uint32_t param = 1 | scanCode << 16;
    if (stroke.extended)
        param |= msg::kKeyExtendedBit;
    if (stroke.wasDown || !stroke.pressed)
        param |= msg::kKeyWasDownBit;
    if (!stroke.pressed)
        param |= msg::kKeyReleasedBit;
    return static_cast<intptr_t>(param);
}

KeyMessages keyMessages(const KeyStroke& stroke) {
    const auto key = static_cast<uintptr_t>(stroke.virtualKey);
    const intptr_t param = keyParam(stroke);
    KeyMessages messages;
    if (!stroke.pressed) {
        messages.add({msg::kKeyUp, key, param});
        return messages;
    }
    messages.add({msg::kKeyDown, key, param});
    for (const char byte : typedGbk(stroke)) {
        messages.add({msg::kChar, static_cast<unsigned char>(byte), param});
    }
    return messages;
}

}  // namespace platform
