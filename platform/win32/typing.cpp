#include "platform/win32/typing.h"

#include "platform/messages.h"

namespace platform::win32 {

namespace {

bool isHigh(uint16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLow(uint16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

FixedList<Message, 2> CharTranslator::messagesOf(uint16_t unit, intptr_t lparam) {
    FixedList<Message, 2> messages;
    if (isHigh(unit)) {
        highSurrogate_ = unit;
        return messages;
    }
    char32_t ch = unit;
    if (isLow(unit)) {
        // A second half without its first types what any character outside the code page does.
        ch = highSurrogate_ != 0
                 ? 0x10000 + ((char32_t{highSurrogate_} - 0xD800) << 10) + (char32_t{unit} - 0xDC00)
                 : U'?';
    }
    highSurrogate_ = 0;
    for (const char byte : typedCharacterBytes(ch))
        messages.add({msg::kChar, static_cast<unsigned char>(byte), lparam});
    return messages;
}

}  // namespace platform::win32
