// Half-open pixel rectangles, and the clipping every primitive and every presentation starts
// with.
#pragma once

#include <algorithm>
#include <cstdint>

namespace platform {

// A rectangle of pixels: left and top are inside, right and bottom are not.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool empty() const { return right <= left || bottom <= top; }
    int width() const { return empty() ? 0 : right - left; }
    int height() const { return empty() ? 0 : bottom - top; }
    bool operator==(const Rect&) const = default;
};

// Intersects a rectangle given in 64-bit coordinates (so that adding an origin to any 32-bit
// value cannot overflow) with a clip rectangle. The result lies inside the clip or is empty.
inline Rect clipRect(int64_t left, int64_t top, int64_t right, int64_t bottom, const Rect& clip) {
    Rect r;
    r.left = static_cast<int>(std::clamp<int64_t>(left, clip.left, clip.right));
    r.top = static_cast<int>(std::clamp<int64_t>(top, clip.top, clip.bottom));
    r.right = static_cast<int>(std::clamp<int64_t>(right, r.left, clip.right));
    r.bottom = static_cast<int>(std::clamp<int64_t>(bottom, r.top, clip.bottom));
    return r;
}

inline Rect intersect(const Rect& a, const Rect& b) {
    return clipRect(a.left, a.top, a.right, a.bottom, b);
}

// The smallest rectangle holding both; an empty one adds nothing.
inline Rect unite(const Rect& a, const Rect& b) {
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

}  // namespace platform
