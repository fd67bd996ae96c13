// Arcs and circles: outlines of ellipses drawn with the selected pen.
//
// Like every shape here, an ellipse with centre (x, y) and radii a and b fills its bounding box
// from (x - a, y - b) up to but excluding (x + a, y + b): its centre is the corner point (x, y)
// between four pixels. A pixel is measured at its own centre, so in doubled units its offset
// X = 2(px - x) + 1, Y = 2(py - y) + 1 is odd, and it lies within the ellipse of doubled
// semi-axes A and B when X²B² + Y²A² <= A²B². A pen of width w draws the ring between the
// ellipses of doubled semi-axes 2a - 1 + w and 2a - 1 - w (and the same for b). For a one-pixel
// circle of radius r that is r - 1 < |offset| <= r: circles of radius 1, 2, 3, ... around one
// centre tile the disc without holes, and a circle of radius 15 fills exactly the 30-pixel square
// around its centre, as a block of the game does. The ring is computed row by row inside the
// clip rectangle, so the cost never depends on the radius.
#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <optional>

#include "draw/page_lock.h"
#include "draw/pen.h"
#include "draw/primitives.h"
#include "draw/raster.h"
#include "draw/simd/span_kernels.h"

namespace draw {

namespace {

using Wide = __int128;

constexpr double kDegreesToRadians = 3.141592653589793 * 0.005555555555555556;

// Floor of the square root of n >= 0.
int64_t isqrt(Wide n) {
    if (n <= 0)
        return 0;
    auto root = static_cast<int64_t>(std::sqrt(static_cast<long double>(n)));
    while (Wide{root} * root > n)
        --root;
    while (Wide{root + 1} * (root + 1) <= n)
        ++root;
    return root;
}

// The largest odd number not above n, or 0 when there is none.
int64_t oddAtMost(int64_t n) {
    if (n < 1)
        return 0;
    return n % 2 == 1 ? n : n - 1;
}

// One of the ring's two ellipses, by its doubled semi-axes.
struct Ellipse {
    int64_t a;
    int64_t b;

    bool empty() const { return a < 1 || b < 1; }

    // The largest odd |X| of row Y within the ellipse (boundary included, or not when
    // `strictly`), or 0 when the row has none.
    int64_t halfWidth(int64_t y, bool strictly) const {
        if (empty())
            return 0;
        const Wide room = Wide{b} * b - Wide{y} * y;
        if (room < 0 || (strictly && room == 0))
            return 0;
        if (a == b)
            return oddAtMost(isqrt(room - (strictly ? 1 : 0)));
        // X² against a²(1 - Y²/b²): exact enough in long double for every radius an int holds.
        const long double squared = static_cast<long double>(a) * a *
                                    static_cast<long double>(room) /
                                    (static_cast<long double>(b) * b);
        const long double root = std::sqrt(squared);
        return oddAtMost(static_cast<int64_t>(strictly ? std::ceil(root) - 1 : std::floor(root)));
    }
};

// The odd |X| from `inner` to `outer` that a row of the ring covers.
struct RowSpan {
    int64_t inner;
    int64_t outer;
};

// The ring a pen draws: the outer ellipse less the inside of the inner one.
class Ring {
public:
    Ring(int64_t a, int64_t b, int penWidth, bool insideFrame) {
        const int64_t w = penWidth;
        // An inside-frame pen keeps the outer edge of a one-pixel pen and grows inwards.
        outer_ = insideFrame ? Ellipse{2 * a, 2 * b} : Ellipse{2 * a - 1 + w, 2 * b - 1 + w};
        inner_ = insideFrame ? Ellipse{2 * a - 2 * w, 2 * b - 2 * w}
                             : Ellipse{2 * a - 1 - w, 2 * b - 1 - w};
    }

    // The pixels the ring may cover around the corner point (cx, cy).
    Rect bounds(int64_t cx, int64_t cy, const Rect& clip) const {
        const int64_t across = oddAtMost(outer_.a);
        const int64_t down = oddAtMost(outer_.b);
        if (across == 0 || down == 0)
            return {};
        return clipRect(cx - (across + 1) / 2, cy - (down + 1) / 2, cx + (across + 1) / 2,
                        cy + (down + 1) / 2, clip);
    }

    std::optional<RowSpan> span(int64_t y) const {
        const int64_t outer = outer_.halfWidth(y, false);
        if (outer == 0)
            return std::nullopt;
        const int64_t inside = inner_.halfWidth(y, true);
        const int64_t inner = inside == 0 ? 1 : inside + 2;
        if (inner > outer)
            return std::nullopt;
        return RowSpan{inner, outer};
    }

private:
    Ellipse outer_;
    Ellipse inner_;
};

// A direction from the centre with y pointing up, so counter-clockwise is the positive sense.
struct Vec {
    int64_t x;
    int64_t y;
};

Wide cross(Vec a, Vec b) {
    return Wide{a.x} * b.y - Wide{a.y} * b.x;
}
Wide dot(Vec a, Vec b) {
    return Wide{a.x} * b.x + Wide{a.y} * b.y;
}

// Which pixels of the ring an arc draws: those in the counter-clockwise sweep from the start
// direction to the end direction, on a dash of the pen.
class ArcFilter {
public:
    ArcFilter(Vec start, Vec end, const Pen& pen, double radius)
        : start_(start), end_(end), dashes_(pen.dashes), radius_(radius) {
        const bool degenerate = (start.x == 0 && start.y == 0) || (end.x == 0 && end.y == 0);
        // Start and end on one ray give the whole ellipse.
        whole_ = degenerate || (cross(start, end) == 0 && dot(start, end) > 0);
        narrow_ = cross(start, end) > 0;
        startAngle_ = std::atan2(static_cast<double>(start.y), static_cast<double>(start.x));
    }

    bool everyPixel() const { return whole_ && dashes_.count == 0; }

    bool covers(Vec p) const {
        if (!whole_ && !inSweep(p))
            return false;
        if (dashes_.count == 0)
            return true;
        double turn = std::atan2(static_cast<double>(p.y), static_cast<double>(p.x)) - startAngle_;
        if (turn < 0)
            turn += 2 * std::numbers::pi;
        return dashCovers(dashes_, static_cast<int64_t>(turn * radius_));
    }

private:
    bool inSweep(Vec p) const {
        const bool leftOfStart = cross(start_, p) >= 0;
        const bool rightOfEnd = cross(p, end_) >= 0;
        return narrow_ ? leftOfStart && rightOfEnd : leftOfStart || rightOfEnd;
    }

    Vec start_, end_;
    DashList dashes_;
    double radius_;
    bool whole_ = true;
    bool narrow_ = false;
    double startAngle_ = 0;
};

// The point of the ellipse at an angle, each coordinate truncated toward zero.
Vec arcPoint(int x, int y, int angle, int xradius, int yradius) {
    const double radians = angle * kDegreesToRadians;
    const double px = x + xradius * std::cos(radians);
    const double py = y - yradius * std::sin(radians);
    return Vec{static_cast<int64_t>(std::trunc(px)) - x, y - static_cast<int64_t>(std::trunc(py))};
}

// Draws the ring around the corner point (cx, cy) within `box`, a clipped rectangle that holds
// all of it.
void drawRing(Image& img, int64_t cx, int64_t cy, const Rect& box, const Ring& ring,
              const ArcFilter& filter, RGBVAL color) {
    for (int64_t py = box.top; py < box.bottom; ++py) {
        const int64_t y = 2 * (py - cy) + 1;
        const auto span = ring.span(y);
        if (!span)
            continue;
        uint32_t* row = pixelRow(img, static_cast<int>(py));
        // The pixels whose doubled offsets run from `first` to `last` (odd numbers).
        auto plot = [&](int64_t first, int64_t last) {
            const int64_t from = std::max<int64_t>(cx + (first - 1) / 2, box.left);
            const int64_t to = std::min<int64_t>(cx + (last - 1) / 2, box.right - 1);
            if (filter.everyPixel()) {
                if (from <= to)
                    simd::spanKernels().fill(row + from, static_cast<size_t>(to - from + 1), color);
                return;
            }
            for (int64_t px = from; px <= to; ++px) {
                if (filter.covers(Vec{2 * (px - cx) + 1, -y}))
                    row[px] = color;
            }
        };
        if (span->inner == 1) {
            plot(-span->outer, span->outer);
        } else {
            plot(-span->outer, -span->inner);
            plot(span->inner, span->outer);
        }
    }
}

}  // namespace

void drawArc(Image& img, int x, int y, int startangle, int endangle, int xradius, int yradius) {
    assert(img.dc != nullptr);
    const Pen& pen = img.dc->pen;
    if (pen.style == kPenNone)
        return;

    const int64_t a = std::abs(int64_t{xradius});
    const int64_t b = std::abs(int64_t{yradius});
    const Ring ring(a, b, pen.width, pen.style == kPenInsideFrame);
    const ArcFilter filter(
        arcPoint(x, y, startangle, xradius, yradius), arcPoint(x, y, endangle, xradius, yradius),
        pen, std::sqrt((static_cast<double>(a) * a + static_cast<double>(b) * b) / 2));
    const int64_t cx = int64_t{x} + img.dc->originx;
    const int64_t cy = int64_t{y} + img.dc->originy;
    const Rect box = ring.bounds(cx, cy, img.dc->clip);
    if (box.empty())
        return;
    const auto guard = lockIfPage(img, box);
    drawRing(img, cx, cy, box, ring, filter, pen.color);
}

}  // namespace draw
