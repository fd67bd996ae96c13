// The code page conversions, through Windows' own tables for code page 936.
#include <windows.h>

#include <string>

#include "platform/gbk.h"
#include "platform/win32/wide_text.h"

namespace platform {

namespace {

bool isHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// Windows gives the code page's user-defined codes characters of the private use area, which
// no font has; the code page itself leaves them unassigned.
bool isPrivateUse(char32_t ch) {
    return ch >= 0xE000 && ch <= 0xF8FF;
}

char32_t codePointOf(const wchar_t* units, int count) {
    if (count == 1 && !isHighSurrogate(units[0]))
        return isPrivateUse(units[0]) ? kNoCodePoint : units[0];
    if (count == 2 && isHighSurrogate(units[0]))
        return 0x10000 + ((char32_t{units[0]} - 0xD800) << 10) + (char32_t{units[1]} - 0xDC00);
    return kNoCodePoint;
}

}  // namespace

char32_t decodeGbk(uint16_t code) {
    if (code < 0x80)
        return code;
    const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code)};
    const char* in = code > 0xFF ? bytes : bytes + 1;
    const int length = code > 0xFF ? 2 : 1;
    wchar_t units[2];
    // Anything but exactly one character made from all the bytes names no character.
    const int count =
        MultiByteToWideChar(win32::kGbkCodePage, MB_ERR_INVALID_CHARS, in, length, units, 2);
    return codePointOf(units, count);
}

std::string encodeGbk(char32_t ch) {
    if (ch < 0x80)
        return std::string(1, static_cast<char>(ch));
    if (ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF) || isPrivateUse(ch))
        return {};
    wchar_t units[2];
    int unitCount = 1;
    if (ch >= 0x10000) {
        units[0] = static_cast<wchar_t>(0xD800 + ((ch - 0x10000) >> 10));
        units[1] = static_cast<wchar_t>(0xDC00 + ((ch - 0x10000) & 0x3FF));
        unitCount = 2;
    } else {
        units[0] = static_cast<wchar_t>(ch);
    }
    char out[4];
    BOOL usedDefault = FALSE;
    // Without WC_NO_BEST_FIT_CHARS a character the code page lacks would come out as a
    // look-alike instead of being refused.
    const int count = WideCharToMultiByte(win32::kGbkCodePage, WC_NO_BEST_FIT_CHARS, units,
                                          unitCount, out, sizeof out, nullptr, &usedDefault);
    if (count <= 0 || usedDefault)
        return {};
    return std::string(out, static_cast<size_t>(count));
}

}  // namespace platform
