#include "platform/changed_rows.h"

#include <algorithm>
#include <iterator>

namespace platform {

std::optional<std::pair<int, int>> changedColumns(const uint8_t* row, const uint8_t* kept,
                                                  int count, int bytesPerPixel) {
    const size_t bytes = static_cast<size_t>(count) * bytesPerPixel;
    if (std::memcmp(row, kept, bytes) == 0)
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
