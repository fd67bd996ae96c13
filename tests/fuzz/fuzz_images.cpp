#include "tests/fuzz/fuzz_images.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "draw/draw_context.h"
#include "runtime/image_arg.h"

namespace {

// Picks below this are the sides -3 to 66, small enough to draw on at once (0 and negatives
// become 1).
constexpr int kSmallSides = 70;
constexpr int kSmallestSide = -3;
// Sides the store refuses whatever the other side (draw/image.cpp hands out at most 2 GiB),
// and a long one for wide strips. Only widths take the long side, and it is kept short enough
// that kMaxCalls calls on the largest image, each touching every pixel at the slowest rate a
// sanitized build draws (a dashed ring), stay well inside the fuzzer's one second.
constexpr int kHeightEdges[] = {INT_MIN, INT_MAX, 1 << 29};
constexpr int kWidthEdges[] = {INT_MIN, INT_MAX, 1 << 29, 1031};

// The most calls one input makes: plenty for any sequence worth trying, and few enough that
// every input runs well inside the fuzzer's one-second limit.
constexpr int kMaxCalls = 64;

constexpr int kMaxPageWidth = 160;
constexpr int kMaxPageHeight = 120;

template <size_t N>
int side(FuzzInput& in, const int (&edges)[N]) {
    const uint8_t pick = in.byte();
    if (pick < kSmallSides)
        return kSmallestSide + pick;
    return edges[pick % N];
}

bool spareRowClear(PIMAGE img) {
    if (img->pixels == nullptr)
        return true;
    const uint32_t* spare = img->pixels + static_cast<size_t>(img->width) * img->height;
    return std::all_of(spare, spare + img->width, [](uint32_t word) { return word == 0; });
}

PIMAGE makeImage(FuzzInput& in) {
    const int width = side(in, kWidthEdges);
    return newimage(width, side(in, kHeightEdges));
}

}  // namespace

FuzzImages::FuzzImages(FuzzInput& in, int count)
    : page_(in.byte() % kMaxPageWidth + 1, in.byte() % kMaxPageHeight + 1) {
    for (int i = 0; i < count; ++i)
        images_.push_back(makeImage(in));
}

FuzzImages::~FuzzImages() {
    for (PIMAGE img : images_)
        freeimage(img);
}

PIMAGE FuzzImages::argument(FuzzInput& in) {
    const uint8_t pick = in.byte();
    if (pick < 32)
        return reinterpret_cast<PIMAGE>(uintptr_t{pick});
    return image(in);
}

PIMAGE FuzzImages::image(FuzzInput& in) {
    const size_t pick = in.byte() % (images_.size() + 1);
    return pick < images_.size() ? images_[pick] : page_.image();
}

void FuzzImages::remake(FuzzInput& in) {
    if (images_.empty())
        return;
    PIMAGE& slot = images_[in.byte() % images_.size()];
    freeimage(slot);
    slot = makeImage(in);
}

void FuzzImages::run(FuzzInput& in, Call call) {
    for (int made = 0; made < kMaxCalls && !in.done(); ++made) {
        call(in, *this);
        // What the sanitizers cannot see: a write one row past an image lands in the spare row
        // below it, which is still inside its store.
        expect(spareRowClear(page_.image()) &&
                   std::all_of(images_.begin(), images_.end(), spareRowClear),
               "no call draws on the spare row below an image");
    }
}

void drawInsideClip(PIMAGE arg, const std::function<void()>& draw) {
    const PIMAGE img = runtime::drawableImage(arg, runtime::Counts::No);
    if (img == nullptr) {
        draw();
        return;
    }
    const std::vector<uint32_t> before(img->pixels,
                                       img->pixels + static_cast<size_t>(img->width) * img->height);
    const draw::Rect clip = img->dc->clip;
    draw();
    for (int y = 0; y < img->height; ++y) {
        for (int x = 0; x < img->width; ++x) {
            const bool inside =
                x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
            const size_t at = static_cast<size_t>(y) * img->width + x;
            expect(inside || img->pixels[at] == before[at],
                   "a clipped call changes no pixel outside the clip rectangle");
        }
    }
}

void changeSharedState(FuzzInput& in, FuzzImages& images) {
    enum Call { kDrawArea, kPenColor, kBackColor, kBackColorKeep, kTarget, kCalls };
    switch (in.byte() % kCalls) {
        case kDrawArea: {
            const int left = in.number();
            const int top = in.number();
            const int right = in.number();
            const int bottom = in.number();
            const int clip = in.number();
            setdrawarea(left, top, right, bottom, clip, images.argument(in));
            break;
        }
        case kPenColor: {
            const RGBVAL color = in.word();
            setpencolor(color, images.argument(in));
            break;
        }
        case kBackColor: {
            const RGBVAL color = in.word();
            setbackcolor(color, images.argument(in));
            break;
        }
        case kBackColorKeep: {
            const RGBVAL color = in.word();
            setbackcolorkeep(color, images.argument(in));
            break;
        }
        default:
            settarget(in.byte() % 4 == 0 ? nullptr : images.argument(in));
            break;
    }
}
