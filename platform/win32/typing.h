// Characters typed into a Unicode window, which Windows hands over in UTF-16, as the GBK bytes
// programs read: one character message per byte, as on a system whose code page is 936,
// whatever the system's code page is.
#pragma once

#include <cstdint>

#include "platform/keys.h"

namespace platform::win32 {

// The character messages of one WM_CHAR code unit; `lparam` is the key data they carry.
class CharTranslator {
public:
    // Empty for the first half of a surrogate pair, which waits for its second half.
    FixedList<Message, 2> messagesOf(uint16_t unit, intptr_t lparam);

private:
    uint16_t highSurrogate_ = 0;
};

}  // namespace platform::win32
