// Reading a fuzzer's input front to back as the values a target needs. Once the bytes run out,
// every value reads as zero, so targets never check lengths themselves, and a seed is simply the
// values written one after another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : rest_(data, size) {}

    bool done() const { return rest_.empty(); }

    uint8_t byte();
    uint32_t word();  // four bytes, least significant first
    // A coordinate, size, angle or count. A leading kind byte says how the value follows: one
    // signed byte, two signed bytes, an index into the edges of int (0, +-1, INT_MIN, INT_MAX,
    // powers of two), or four bytes, so that small values and extreme ones are both common.
    int number();
    // The bytes up to the next zero byte, which is consumed, or up to the end.
    std::string text();

    // One of the choices, by the next byte.
    template <typename T, size_t N>
    const T& choose(const T (&choices)[N]) {
        return choices[byte() % N];
    }

private:
    std::span<const uint8_t> rest_;
};

// A property a target checks: when it does not hold, the target says which and aborts, which
// the fuzzer reports as a crash with the input that broke it.
void expect(bool holds, const char* property);
