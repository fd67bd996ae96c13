// Splitting GBK strings into characters and decoding them.
#include "platform/gbk.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using platform::decodeGbk;
using platform::kNoCodePoint;

// The characters of a zero-terminated byte string, as (code, length) pairs.
using Chars = std::vector<std::pair<int, int>>;
Chars split(const char* text) {
    Chars chars;
    for (auto ch = platform::nextGbkChar(text); ch.length != 0; ch = platform::nextGbkChar(text)) {
        chars.emplace_back(ch.code, ch.length);
        text += ch.length;
    }
    return chars;
}

TEST(GbkSplit, LeadAndTrailBytesPairUpAndEverythingElseStandsAlone) {
    EXPECT_EQ(split("a\xD6\xD0\x81\x40\xFE\xFE\x81\x80"),
              (Chars{{'a', 1}, {0xD6D0, 2}, {0x8140, 2}, {0xFEFE, 2}, {0x8180, 2}}));
    // 0x80 and 0xFF never lead; a lead byte before 0x7F, 0xFF or a byte below 0x40 stands
    // alone, and the byte after it starts the next character.
    EXPECT_EQ(split("\x80\x40\xFF\x40"), (Chars{{0x80, 1}, {0x40, 1}, {0xFF, 1}, {0x40, 1}}));
    EXPECT_EQ(split("\x81\x7F\x81\xFF\xB0\x3F"),
              (Chars{{0x81, 1}, {0x7F, 1}, {0x81, 1}, {0xFF, 1}, {0xB0, 1}, {0x3F, 1}}));
    EXPECT_EQ(split("\x81\x81\x40"), (Chars{{0x8181, 2}, {0x40, 1}}));
}

TEST(GbkSplit, StopsAtTheTerminatingZero) {
    // A lead byte right before the terminator must take neither it nor what follows.
    const char bytes[] = {'\x81', '\0', '\x40', '\0'};
    EXPECT_EQ(split(bytes), (Chars{{0x81, 1}}));
    EXPECT_EQ(split(""), Chars{});
}

TEST(GbkDecode, MapsCodesAndRefusesLoneLeadBytesAndUnassignedCodes) {
    EXPECT_EQ(decodeGbk('A'), U'A');
    EXPECT_EQ(decodeGbk(0xD6D0), U'中');
    EXPECT_EQ(decodeGbk(0xA1A1), U'\u3000');  // the ideographic space
    EXPECT_EQ(decodeGbk(0x80), U'€');         // the code page's one extra single byte
    for (const uint16_t code : {0x81, 0xFE, 0xFF, 0xAAA1}) {
        EXPECT_EQ(decodeGbk(code), kNoCodePoint) << std::hex << code;
    }
}

TEST(GbkToUtf8, ConvertsWholeStringsAndReplacesWhatDoesNotDecode) {
    EXPECT_EQ(platform::gbkToUtf8("\xB7\xD6\xCA\xFD:"), "分数:");
    EXPECT_EQ(platform::gbkToUtf8("a\xFF\x62\x81"), "a\uFFFDb\uFFFD");
    EXPECT_EQ(platform::gbkToUtf8(""), "");
}

TEST(GbkLines, SplitsAtLineFeedsDropsCarriageReturnsAndMarksDoubleByteCharacters) {
    const auto lines = platform::gbkLines("a\r\n\xD6\xD0\n\n\xFF");
    ASSERT_EQ(lines.size(), 4U);
    ASSERT_EQ(lines[0].size(), 1U);
    EXPECT_EQ(lines[0][0].code, U'a');
    EXPECT_FALSE(lines[0][0].wide);
    ASSERT_EQ(lines[1].size(), 1U);
    EXPECT_EQ(lines[1][0].code, U'中');
    EXPECT_TRUE(lines[1][0].wide);
    EXPECT_TRUE(lines[2].empty());
    ASSERT_EQ(lines[3].size(), 1U);
    EXPECT_EQ(lines[3][0].code, kNoCodePoint);
    EXPECT_EQ(platform::gbkLines("").size(), 1U);
}

}  // namespace
