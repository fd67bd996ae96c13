// The code page conversions, through the C library's iconv.
#include <iconv.h>

#include <string>
#include <string_view>

#include "platform/gbk.h"

namespace platform {

namespace {

// One iconv conversion. A converter carries state between calls, so each thread has its own of
// each kind.
class Converter {
public:
    Converter(const char* to, const char* from) : converter_(iconv_open(to, from)) {}
    ~Converter() {
        if (usable())
            iconv_close(converter_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of `in`, from a fresh state, into at most four bytes: iconv's count of
    // irreversible conversions, or -1 when `in` cannot be converted whole. `out` is what was made.
    size_t convert(std::string_view in, std::string& out) {
        if (!usable())
            return static_cast<size_t>(-1);
        char* inPos = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        char made[4];
        char* outPos = made;
        size_t outLeft = sizeof made;
        iconv(converter_, nullptr, nullptr, nullptr, nullptr);
        const size_t result = iconv(converter_, &inPos, &inLeft, &outPos, &outLeft);
        out.assign(made, outPos);
        return result;
    }

private:
    bool usable() const { return converter_ != reinterpret_cast<iconv_t>(-1); }

    iconv_t converter_;
};

}  // namespace

char32_t decodeGbk(uint16_t code) {
    if (code < 0x80)
        return code;
    thread_local Converter decoder("UTF-32LE", "CP936");
    const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code)};
    const std::string_view in =
        code > 0xFF ? std::string_view(bytes, 2) : std::string_view(bytes + 1, 1);
    std::string out;
    // Anything but exactly one character made from all the bytes names no character.
    if (decoder.convert(in, out) != 0 || out.size() != 4)
        return kNoCodePoint;
    const auto byte = [&out](int i) { return char32_t{static_cast<unsigned char>(out[i])}; };
    return byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
}

std::string encodeGbk(char32_t ch) {
    if (ch < 0x80)
        return std::string(1, static_cast<char>(ch));
    thread_local Converter encoder("CP936", "UTF-32LE");
    const char in[4] = {static_cast<char>(ch), static_cast<char>(ch >> 8),
                        static_cast<char>(ch >> 16), static_cast<char>(ch >> 24)};
    std::string out;
    if (encoder.convert(std::string_view(in, 4), out) == static_cast<size_t>(-1))
        return {};
    return out;
}

}  // namespace platform
