// Arcs and circles: outlines of ellipses drawn with the selected pen.
//
// A pen of width w draws the ring between two ellipses around the centre whose doubled
// semi-axes are 2a + w and 2a - w (and the same for b). A pixel offset (x, y) from the centre
// lies within the ellipse of doubled semi-axes A and B when
//     4x²(B² - 1) + 4y²(A² - 1) <= (A² - 1)(B² - 1),
// which for a one-pixel circle of radius r is r(r - 1) <= x² + y² <= r(r + 1): the circle passes
// through its four extreme points, and circles of radius 1, 2, 3, ... around one centre cover
// the disc without holes. The ring is computed row by row inside the clip rectangle, so the cost
// never depends on the radius.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <optional>

#include "draw/image_arg.h"
#include "draw/page_lock.h"
#include "draw/pen.h"
#include "draw/raster.h"
#include "runtime/graph.h"

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

int64_t ceilDiv4(Wide n) {
    return static_cast<int64_t>((n + 3) / 4);
}

// The columns |x| from `inner` to `outer` (both included) that a row of the ring covers.
struct RowSpan {
    int64_t inner;
    int64_t outer;
};

// The ring a pen draws around an ellipse, as the outer ellipse minus the inside of the inner
// one. Doubled semi-axes below 2 make the inner ellipse empty.
class Ring {
public:
    Ring(int64_t a, int64_t b, int penWidth, bool insideFrame) {
        const int64_t w = penWidth;
        // An inside-frame pen keeps the outer edge of a one-pixel pen and grows inwards.
        outerA_ = insideFrame ? 2 * a + 1 : 2 * a + w;
        outerB_ = insideFrame ? 2 * b + 1 : 2 * b + w;
        innerA_ = insideFrame ? outerA_ - 2 * w : 2 * a - w;
        innerB_ = insideFrame ? outerB_ - 2 * w : 2 * b - w;
    }

    // The largest |y| any row of the ring reaches, and the largest |x|.
    int64_t halfHeight() const { return isqrt((Wide{outerB_} * outerB_ - 1) / 4); }
    int64_t halfWidth() const { return isqrt((Wide{outerA_} * outerA_ - 1) / 4); }

    std::optional<RowSpan> span(int64_t y) const {
        const auto outer = outerHalfWidth(y);
        if (!outer)
            return std::nullopt;
        const int64_t inner = innerCount(y);
        if (inner > *outer)
            return std::nullopt;
        return RowSpan{inner, *outer};
    }

private:
    bool circle() const { return outerA_ == outerB_ && innerA_ == innerB_; }

    // The largest x >= 0 of row y inside the outer ellipse.
    std::optional<int64_t> outerHalfWidth(int64_t y) const {
        const Wide a2m1 = Wide{outerA_} * outerA_ - 1;
        const Wide b2m1 = Wide{outerB_} * outerB_ - 1;
        if (4 * Wide{y} * y > b2m1)
            return std::nullopt;
        if (circle())
            return isqrt(a2m1 / 4 - Wide{y} * y);
        return static_cast<int64_t>(std::floor(std::sqrt(halfWidthSquared(a2m1, b2m1, y))));
    }

    // How many x >= 0 of row y lie strictly inside the inner ellipse.
    int64_t innerCount(int64_t y) const {
        if (innerA_ < 2 || innerB_ < 2)
            return 0;
        const Wide a2m1 = Wide{innerA_} * innerA_ - 1;
        const Wide b2m1 = Wide{innerB_} * innerB_ - 1;
        if (4 * Wide{y} * y >= b2m1)
            return 0;
        if (circle()) {
            const Wide room = ceilDiv4(a2m1) - 1 - Wide{y} * y;
            return room < 0 ? 0 : isqrt(room) + 1;
        }
        return static_cast<int64_t>(std::ceil(std::sqrt(halfWidthSquared(a2m1, b2m1, y))));
    }

    // x² on the boundary of an ellipse at row y, for ellipses whose axes differ.
    static long double halfWidthSquared(Wide a2m1, Wide b2m1, int64_t y) {
        const long double quarterA = static_cast<long double>(a2m1) / 4;
        if (b2m1 == 0)
            return quarterA;
        const long double share = 1.0L - 4.0L * y * y / static_cast<long double>(b2m1);
        return std::max(0.0L, quarterA * share);
    }

    int64_t outerA_, outerB_, innerA_, innerB_;
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
    ArcFilter(Vec start, Vec end, const draw::Pen& pen, double radius)
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
        return draw::dashCovers(dashes_, static_cast<int64_t>(turn * radius_));
    }

private:
    bool inSweep(Vec p) const {
        const bool leftOfStart = cross(start_, p) >= 0;
        const bool rightOfEnd = cross(p, end_) >= 0;
        return narrow_ ? leftOfStart && rightOfEnd : leftOfStart || rightOfEnd;
    }

    Vec start_, end_;
    draw::DashList dashes_;
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

// Draws the ring around (cx, cy) within `box`, a clipped rectangle that holds all of it.
void drawRing(IMAGE& img, int64_t cx, int64_t cy, const draw::Rect& box, const Ring& ring,
              const ArcFilter& filter, RGBVAL color) {
    for (int64_t py = box.top; py < box.bottom; ++py) {
        const auto span = ring.span(py - cy);
        if (!span)
            continue;
        uint32_t* row = draw::pixelRow(img, static_cast<int>(py));
        auto plot = [&](int64_t from, int64_t to) {
            from = std::max<int64_t>(from, box.left);
            to = std::min<int64_t>(to, box.right - 1);
            if (filter.everyPixel()) {
                if (from <= to)
                    std::fill(row + from, row + to + 1, color);
                return;
            }
            for (int64_t px = from; px <= to; ++px) {
                if (filter.covers(Vec{px - cx, cy - py}))
                    row[px] = color;
            }
        };
        if (span->inner == 0) {
            plot(cx - span->outer, cx + span->outer);
        } else {
            plot(cx - span->outer, cx - span->inner);
            plot(cx + span->inner, cx + span->outer);
        }
    }
}

}  // namespace

void drawarc(int x, int y, int startangle, int endangle, int xradius, int yradius, PIMAGE arg) {
    PIMAGE img = draw::drawableImage(arg, draw::Counts::Yes);
    if (img == nullptr)
        return;
    const draw::Pen& pen = img->dc->pen;
    if (pen.style == draw::kPenNone)
        return;

    const int64_t a = std::abs(int64_t{xradius});
    const int64_t b = std::abs(int64_t{yradius});
    const Ring ring(a, b, pen.width, pen.style == draw::kPenInsideFrame);
    const ArcFilter filter(
        arcPoint(x, y, startangle, xradius, yradius), arcPoint(x, y, endangle, xradius, yradius),
        pen, std::sqrt((static_cast<double>(a) * a + static_cast<double>(b) * b) / 2));
    const int64_t cx = int64_t{x} + img->dc->originx;
    const int64_t cy = int64_t{y} + img->dc->originy;
    const int64_t halfWidth = ring.halfWidth();
    const int64_t halfHeight = ring.halfHeight();
    const draw::Rect box = draw::clipRect(cx - halfWidth, cy - halfHeight, cx + halfWidth + 1,
                                          cy + halfHeight + 1, img->dc->clip);
    if (box.empty())
        return;
    const auto guard = draw::lockIfPage(img, box);
    drawRing(*img, cx, cy, box, ring, filter, pen.color);
}

void drawcircle(int x, int y, int radius, PIMAGE img) {
    drawarc(x, y, 0, 360, radius, radius, img);
}
