// The GBK code page in the browser, from the C library's converter. That converter calls it GBK
// (it knows no CP936) and differs from the desktops' code page in two ways, undone here: it
// lacks the euro sign at 0x80, and it maps the code page's user-defined areas onto private-use
// characters, which the desktops leave unassigned. Both directions are tables, made once from
// the converter, so that no thread needs a converter of its own.
#include <iconv.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/gbk.h"

namespace platform {

namespace {

constexpr uint16_t kEuroCode = 0x80;
constexpr char32_t kEuroSign = 0x20AC;
constexpr int kFirstLead = 0x81;
constexpr int kLastLead = 0xFE;
constexpr int kFirstTrail = 0x40;
constexpr int kLastTrail = 0xFE;

bool isPrivateUse(char32_t cp) {
    return cp >= 0xE000 && cp <= 0xF8FF;
}

// The character of one double-byte code, or kNoCodePoint.
char32_t convertPair(iconv_t converter, uint16_t code) {
    char in[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    char32_t out = 0;
    char* inPos = in;
    size_t inLeft = sizeof in;
    char* outPos = reinterpret_cast<char*>(&out);
    size_t outLeft = sizeof out;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &inPos, &inLeft, &outPos, &outLeft) != 0 || outLeft != 0)
        return kNoCodePoint;
    return isPrivateUse(out) ? kNoCodePoint : out;
}

struct CodeTables {
    std::vector<char32_t> decoded;                     // by code - 0x8000
    std::vector<std::pair<char32_t, uint16_t>> codes;  // by character, for encoding
};

CodeTables makeTables() {
    CodeTables tables;
    tables.decoded.assign(0x8000, kNoCodePoint);
    const iconv_t converter = iconv_open("UTF-32LE", "GBK");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return tables;
    for (int lead = kFirstLead; lead <= kLastLead; ++lead) {
        for (int trail = kFirstTrail; trail <= kLastTrail; ++trail) {
            if (trail == 0x7F)
                continue;
            const auto code = static_cast<uint16_t>(lead << 8 | trail);
            const char32_t cp = convertPair(converter, code);
            tables.decoded[code - 0x8000] = cp;
            if (cp != kNoCodePoint)
                tables.codes.emplace_back(cp, code);
        }
    }
    iconv_close(converter);
    tables.codes.emplace_back(kEuroSign, kEuroCode);
    std::sort(tables.codes.begin(), tables.codes.end());
    return tables;
}

const CodeTables& tables() {
    static const CodeTables made = makeTables();
    return made;
}

}  // namespace

char32_t decodeGbk(uint16_t code) {
    if (code < 0x80)
        return code;
    if (code == kEuroCode)
        return kEuroSign;
    if (code < 0x8000)
        return kNoCodePoint;  // a lone lead byte, or 0xFF
    return tables().decoded[code - 0x8000];
}

std::string encodeGbk(char32_t ch) {
    if (ch < 0x80)
        return std::string(1, static_cast<char>(ch));
    const auto& codes = tables().codes;
    const auto found = std::lower_bound(codes.begin(), codes.end(), std::pair(ch, uint16_t{0}));
    if (found == codes.end() || found->first != ch)
        return {};
    const uint16_t code = found->second;
    if (code <= 0xFF)
        return std::string(1, static_cast<char>(code));
    return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

}  // namespace platform
