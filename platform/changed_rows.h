// What a presentation changes: a window keeps a copy of what it shows, and only the pixels that
// differ from it are copied into it and sent on, so a frame redrawn as it was costs a compare.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

#include "platform/rect.h"

namespace platform {

// The pixels [first, last) in which two rows of `count` pixels differ, if they do.
std::optional<std::pair<int, int>> changedColumns(const uint8_t* row, const uint8_t* kept,
                                                  int count, int bytesPerPixel);

// Copies the pixels of `area` that differ from the kept copy into it, row by row; the rectangle
// that changed, empty when nothing did. `sourceRow(y)` and `keptRow(y)` give row y from the
// area's left edge on, both in the kept copy's pixel format.
template <typename SourceRow, typename KeptRow>
Rect copyChangedRows(const Rect& area, int bytesPerPixel, SourceRow sourceRow, KeptRow keptRow) {
    Rect changed;
    if (area.empty())
        return changed;
    for (int y = area.top; y < area.bottom; ++y) {
        const uint8_t* row = sourceRow(y);
        uint8_t* kept = keptRow(y);
        const auto columns = changedColumns(row, kept, area.width(), bytesPerPixel);
        if (!columns)
            continue;
        const auto [first, last] = *columns;
        const size_t offset = static_cast<size_t>(first) * bytesPerPixel;
        std::memcpy(kept + offset, row + offset, static_cast<size_t>(last - first) * bytesPerPixel);
        changed = unite(changed, Rect{area.left + first, y, area.left + last, y + 1});
    }
    return changed;
}

// Copies every row of `area` into the kept copy; the rectangle that changed is all of it.
template <typename SourceRow, typename KeptRow>
Rect copyRows(const Rect& area, int bytesPerPixel, SourceRow sourceRow, KeptRow keptRow) {
    for (int y = area.top; y < area.bottom; ++y)
        std::memcpy(keptRow(y), sourceRow(y), static_cast<size_t>(area.width()) * bytesPerPixel);
    return area.empty() ? Rect{} : area;
}

}  // namespace platform
