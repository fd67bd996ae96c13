#include "platform/changed_rows.h"

#include <algorithm>
#include <iterator>

namespace platform {

namespace {

// Whether two runs of bytes are equal. The system's memcmp is the fastest there is, but the
// browser build's compares a word at a time, so there the bytes go 64 at a time as vectors,
// checked once a block: most rows compared are equal.
bool sameBytes(const uint8_t* a, const uint8_t* b, size_t bytes) {
    size_t i = 0;
#if defined(__EMSCRIPTEN__)
    typedef uint64_t Vector __attribute__((vector_size(16)));
    constexpr size_t kBlock = 64;
    for (; i + kBlock <= bytes; i += kBlock) {
        Vector differ{};
        for (size_t k = 0; k < kBlock; k += sizeof(Vector)) {
            Vector left;
            Vector right;
            std::memcpy(&left, a + i + k, sizeof left);
            std::memcpy(&right, b + i + k, sizeof right);
            differ |= left ^ right;
        }
        if ((differ[0] | differ[1]) != 0)
            return false;
    }
#endif
    return std::memcmp(a + i, b + i, bytes - i) == 0;
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
