// Characters typed into the Windows window, which Windows hands over as UTF-16 code units, reach
// the queues as GBK bytes whatever the system's code page. (Wine's keyboard driver types only
// what its keyboard layout has, so the window tests cannot type a Chinese character there.)
#include <gtest/gtest.h>

#include <vector>

#include "platform/messages.h"
#include "platform/win32/typing.h"

namespace {

std::vector<uintptr_t> typedCodes(platform::win32::CharTranslator& typing, uint16_t unit) {
    std::vector<uintptr_t> codes;
    for (const platform::Message& message : typing.messagesOf(unit, 0x1E0001)) {
        EXPECT_EQ(message.message, msg::kChar);
        EXPECT_EQ(message.lparam, 0x1E0001);
        codes.push_back(message.wparam);
    }
    return codes;
}

TEST(Win32Typing, CharactersBecomeTheirGbkBytesOneMessageEach) {
    platform::win32::CharTranslator typing;
    EXPECT_EQ(typedCodes(typing, u'a'), (std::vector<uintptr_t>{'a'}));
    EXPECT_EQ(typedCodes(typing, 13), (std::vector<uintptr_t>{13}));
    EXPECT_EQ(typedCodes(typing, u'中'), (std::vector<uintptr_t>{0xD6, 0xD0}));  // lead, trail
    EXPECT_EQ(typedCodes(typing, u'€'), (std::vector<uintptr_t>{0x80}));
    // Outside the code page: a question mark, for a surrogate pair once its second half came.
    EXPECT_EQ(typedCodes(typing, 0x0E01), (std::vector<uintptr_t>{'?'}));
    EXPECT_EQ(typedCodes(typing, 0xD83D), std::vector<uintptr_t>{});
    EXPECT_EQ(typedCodes(typing, 0xDE00), (std::vector<uintptr_t>{'?'}));
}

}  // namespace
