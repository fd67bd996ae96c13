#include "platform/gbk.h"

#include <iconv.h>

namespace platform {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool isLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}
bool isTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// One iconv conversion from the code page to UTF-32. A converter carries state between calls,
// so each thread has its own.
class GbkDecoder {
public:
    GbkDecoder() : converter_(iconv_open("UTF-32LE", "CP936")) {}
    ~GbkDecoder() {
        if (usable())
            iconv_close(converter_);
    }
    GbkDecoder(const GbkDecoder&) = delete;
    GbkDecoder& operator=(const GbkDecoder&) = delete;

    char32_t decode(uint16_t code) {
        if (!usable())
            return kNoCodePoint;
        char in[2] = {static_cast<char>(code >> 8), static_cast<char>(code)};
        char* inPos = code > 0xFF ? in : in + 1;
        size_t inLeft = in + 2 - inPos;
        unsigned char out[4];
        char* outPos = reinterpret_cast<char*>(out);
        size_t outLeft = sizeof out;
        iconv(converter_, nullptr, nullptr, nullptr, nullptr);
        // Anything but exactly one character made from all the bytes names no character.
        const size_t result = iconv(converter_, &inPos, &inLeft, &outPos, &outLeft);
        if (result != 0 || inLeft != 0 || outLeft != 0)
            return kNoCodePoint;
        return char32_t{out[0]} | char32_t{out[1]} << 8 | char32_t{out[2]} << 16 |
               char32_t{out[3]} << 24;
    }

private:
    bool usable() const { return converter_ != reinterpret_cast<iconv_t>(-1); }

    iconv_t converter_;
};

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

char32_t decodeGbk(uint16_t code) {
    if (code < 0x80)
        return code;
    thread_local GbkDecoder decoder;
    return decoder.decode(code);
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

}  // namespace platform
