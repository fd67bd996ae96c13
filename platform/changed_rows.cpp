#include "platform/changed_rows.h"

#include <algorithm>
#include <iterator>

#if defined(__wasm_simd128__)
#include <wasm_simd128.h>
#endif

namespace platform {

namespace {

// Whether two runs of bytes are equal. The system's memcmp is the fastest there is, but the
// browser build's compares a byte at a time, so there the bytes go as vectors: 64 at a time,
// checked once a block, since most rows compared are equal, then 16 at a time, the last 16
// overlapping the ones before.
bool sameBytes(const uint8_t* a, const uint8_t* b, size_t bytes) {
#if defined(__wasm_simd128__)
    constexpr size_t kVector = sizeof(v128_t);
    if (bytes >= kVector) {
        const auto differ = [a, b](size_t at) {
            return wasm_v128_xor(wasm_v128_load(a + at), wasm_v128_load(b + at));
        };
        constexpr size_t kBlock = 4 * kVector;
        size_t i = 0;
        for (; i + kBlock <= bytes; i += kBlock) {
            const v128_t block =
                wasm_v128_or(wasm_v128_or(differ(i), differ(i + kVector)),
                             wasm_v128_or(differ(i + 2 * kVector), differ(i + 3 * kVector)));
            if (wasm_v128_any_true(block))
                return false;
        }
        v128_t rest = differ(bytes - kVector);
        for (; i + kVector < bytes; i += kVector)
            rest = wasm_v128_or(rest, differ(i));
        return !wasm_v128_any_true(rest);
    }
#endif
    return std::memcmp(a, b, bytes) == 0;
}

}  // namespace

std::optional<std::pair<int, int>> changedColumns(const uint8_t* row, const uint8_t* kept,
                                                  int count, int bytesPerPixel) {
    const size_t bytes = static_cast<size_t>(count) * bytesPerPixel;
    if (sameBytes(row, kept, bytes))
        return std::nullopt;
    const size_t firstByte = std::mismatch(row, row + bytes, kept).first - row;
    const auto fromEnd =
        std::mismatch(std::reverse_iterator(row + bytes), std::reverse_iterator(row),
                      std::reverse_iterator(kept + bytes));
    const size_t lastByte = bytes - 1 - (fromEnd.first - std::reverse_iterator(row + bytes));
    return std::pair{static_cast<int>(firstByte / bytesPerPixel),
                     static_cast<int>(lastByte / bytesPerPixel) + 1};
}

}  // namespace platform
