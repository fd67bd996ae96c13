// Splitting GBK strings into characters, and spelling them in UTF-8.
#include "platform/gbk.h"

namespace platform {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool isLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}
bool isTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | cp >> 18);
        out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

GbkChar nextGbkChar(const char* text) {
    const auto first = static_cast<unsigned char>(text[0]);
    if (first == 0)
        return {};
    // A lead byte is not the terminator, so the byte after it is still part of the string.
    const auto second = static_cast<unsigned char>(text[1]);
    if (isLeadByte(first) && isTrailByte(second)) {
        return {static_cast<uint16_t>(first << 8 | second), 2};
    }
    return {first, 1};
}

std::string gbkToUtf8(const char* text) {
    std::string out;
    for (GbkChar ch = nextGbkChar(text); ch.length != 0; ch = nextGbkChar(text)) {
        const char32_t cp = decodeGbk(ch.code);
        appendUtf8(out, cp == kNoCodePoint ? kReplacementCharacter : cp);
        text += ch.length;
    }
    return out;
}

std::vector<TextLine> gbkLines(const char* text) {
    std::vector<TextLine> lines(1);
    for (GbkChar ch = nextGbkChar(text); ch.length != 0; ch = nextGbkChar(text)) {
        text += ch.length;
        const char32_t decoded = decodeGbk(ch.code);
        if (decoded == U'\n') {
            lines.emplace_back();
        } else if (decoded != U'\r') {
            lines.back().push_back({decoded, ch.length == 2});
        }
    }
    return lines;
}

}  // namespace platform
