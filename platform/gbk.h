// GBK (code page 936) byte strings: splitting them into characters and decoding those. Splitting
// and spelling in UTF-8 are the same everywhere; decodeGbk and encodeGbk are the operating
// system's code page conversion (platform/linux/code_page.cpp on Linux).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// One character of a GBK string. `code` is its bytes as one number: the byte itself for a
// single-byte character, lead byte * 256 + trail byte for a double-byte one. `length` is its
// number of bytes, 0 at the terminating zero.
struct GbkChar {
    uint16_t code = 0;
    int length = 0;
};

// What decoding gives for a byte sequence that names no character.
inline constexpr char32_t kNoCodePoint = 0xFFFFFFFF;

// The character at the start of `text`. A lead byte (0x81 to 0xFE) followed by a trail byte
// (0x40 to 0xFE, but not 0x7F) is one double-byte character; every other byte is one
// single-byte character. Never reads past the terminating zero.
GbkChar nextGbkChar(const char* text);

// The Unicode code point of a character code from nextGbkChar, or kNoCodePoint for a lone lead
// byte or a code the code page leaves unassigned.
char32_t decodeGbk(uint16_t code);

// A character's GBK bytes, or nothing when the code page lacks it.
std::string encodeGbk(char32_t ch);

// One character of a line of text: its code point, or kNoCodePoint where it does not decode,
// and whether it took two bytes, which a fixed-cell font draws twice as wide.
struct TextCharacter {
    char32_t code = 0;
    bool wide = false;
};
using TextLine = std::vector<TextCharacter>;

// The lines of a zero-terminated string, split at line feeds; carriage returns are dropped, so
// that "\r\n" ends a line as "\n" does. An empty string is one empty line.
std::vector<TextLine> gbkLines(const char* text);

// The whole zero-terminated string in UTF-8; characters that do not decode become U+FFFD.
std::string gbkToUtf8(const char* text);

}  // namespace platform
