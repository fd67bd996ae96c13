// The span loops of every variant built into this program, side by side in one run: a whole
// 480 x 640 page filled, the game's bars filled (30 words a row), and a 400 x 200 picture
// blended onto the page with one opacity and through a mask of varied opacities. Each sample
// times every variant in turn, so that a busy moment of a shared machine falls on all of them
// alike; the figures are medians of the samples and their ratios to the portable loops. It needs
// nothing but the drawing layer, so the browser build runs it under node too:
//   trivanta_span_bench [samples]
// A reference follows: the compare of a presentation (a window's rows beside what it shows)
// against memcmp.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "draw/simd/span_kernels.h"
#include "platform/changed_rows.h"

namespace {

using draw::simd::KernelVariant;
using draw::simd::SpanKernels;

constexpr size_t kPageWidth = 480;
constexpr size_t kPageHeight = 640;
constexpr size_t kBarWidth = 30;
constexpr size_t kBarHeight = 30;
constexpr size_t kBars = 60;
constexpr size_t kPictureWidth = 400;
constexpr size_t kPictureHeight = 200;
constexpr uint32_t kOpacity = 0x80;
// The main menu's buttons, which every menu frame redraws as they were and presents.
constexpr size_t kButtonsLeft = 186;
constexpr size_t kButtonsTop = 294;
constexpr size_t kButtonsWidth = 110;
constexpr size_t kButtonsHeight = 162;

// Words that vary in every channel, so that no loop can take a short cut.
std::vector<uint32_t> variedWords(size_t count, uint32_t seed) {
    std::vector<uint32_t> words(count);
    for (size_t i = 0; i < count; ++i)
        words[i] = (static_cast<uint32_t>(i) * 2654435761u + seed) & 0x00FFFFFF;
    return words;
}

struct Scene {
    std::vector<uint32_t> page = variedWords(kPageWidth * kPageHeight, 17);
    std::vector<uint32_t> picture = variedWords(kPictureWidth * kPictureHeight, 91);
    std::vector<uint32_t> mask = [] {
        std::vector<uint32_t> words = variedWords(kPictureWidth * kPictureHeight, 5);
        for (uint32_t& word : words)
            word &= 0xFF;
        return words;
    }();
    uint32_t color = 0;

    uint32_t* row(size_t y, size_t x = 0) { return page.data() + y * kPageWidth + x; }
};

void fillPage(Scene& scene, const SpanKernels& loops) {
    loops.fill(scene.page.data(), scene.page.size(), ++scene.color);
}

// The bars of a board, one call a bar as the drawing layer fills them.
void fillBars(Scene& scene, const SpanKernels& loops) {
    ++scene.color;
    for (size_t bar = 0; bar < kBars; ++bar) {
        const size_t left = bar % 12 * (kBarWidth + 2) + 3;
        const size_t top = bar / 12 * (kBarHeight + 2) + 7;
        loops.fillRows(scene.row(top, left), kBarWidth, kBarHeight, kPageWidth, scene.color);
    }
}

void blendConstant(Scene& scene, const SpanKernels& loops) {
    for (size_t y = 0; y < kPictureHeight; ++y)
        loops.blend(scene.row(220 + y, 40), scene.picture.data() + y * kPictureWidth, kPictureWidth,
                    kOpacity);
}

void blendMasked(Scene& scene, const SpanKernels& loops) {
    for (size_t y = 0; y < kPictureHeight; ++y)
        loops.blendMasked(scene.row(220 + y, 40), scene.picture.data() + y * kPictureWidth,
                          scene.mask.data() + y * kPictureWidth, kPictureWidth);
}

struct Case {
    const char* name;
    void (*run)(Scene&, const SpanKernels&);
};

constexpr Case kCases[] = {
    {"fill of a whole page", fillPage},
    {"fill of 60 bars of 30 x 30", fillBars},
    {"constant blend, 400 x 200", blendConstant},
    {"masked blend, 400 x 200", blendMasked},
};

// Microseconds a call of `run` takes, over `calls` calls.
template <typename Run>
double timeCalls(Run run, int calls) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i)
        run();
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    return took.count() / calls;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Enough calls of `run` to last about a millisecond.
template <typename Run>
int callsForAMillisecond(Run run) {
    return std::max(1, static_cast<int>(1000 / timeCalls(run, 1)));
}

// The median of `samples` timings of `run`, in calls enough to last about a millisecond.
template <typename Run>
double medianTime(Run run, int samples) {
    const int calls = callsForAMillisecond(run);
    std::vector<double> times;
    for (int sample = 0; sample < samples; ++sample)
        times.push_back(timeCalls(run, calls));
    return median(times);
}

// The rows of the menu's buttons compared with a copy of them, as a window compares a
// presentation with what it shows; `sameRow` answers for one row, and no row differs.
template <typename SameRow>
int sameRows(Scene& scene, const std::vector<uint32_t>& shown, SameRow sameRow) {
    int same = 0;
    for (size_t y = kButtonsTop; y < kButtonsTop + kButtonsHeight; ++y) {
        const size_t at = y * kPageWidth + kButtonsLeft;
        same += sameRow(reinterpret_cast<const uint8_t*>(scene.page.data() + at),
                        reinterpret_cast<const uint8_t*>(shown.data() + at));
    }
    return same;
}

void printCompareReference(Scene& scene, int samples) {
    const std::vector<uint32_t> shown = scene.page;
    constexpr size_t kRowBytes = kButtonsWidth * sizeof(uint32_t);
    int same = 0;
    const double changed = medianTime(
        [&] {
            same += sameRows(scene, shown, [](const uint8_t* row, const uint8_t* kept) {
                return !platform::changedColumns(row, kept, kButtonsWidth, sizeof(uint32_t));
            });
        },
        samples);
    const double memcmpTime = medianTime(
        [&] {
            same += sameRows(scene, shown, [](const uint8_t* row, const uint8_t* kept) {
                return std::memcmp(row, kept, kRowBytes) == 0;
            });
        },
        samples);
    std::printf(
        "the menu's buttons compared, %zu rows of %zu words: changedColumns %.2f µs, "
        "memcmp %.2f µs, %.2f x (%d rows equal)\n",
        kButtonsHeight, kButtonsWidth, changed, memcmpTime, memcmpTime / changed, same);
}

}  // namespace

int main(int argc, char** argv) {
    const int samples = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::vector<const SpanKernels*> variants;
    for (const KernelVariant& variant : draw::simd::kernelVariants()) {
        if (variant.supported)
            variants.push_back(variant.kernels);
    }
    const SpanKernels& portable = draw::simd::kPortableKernels;
    Scene scene;
    std::printf("%-28s", "median µs a call");
    for (const SpanKernels* loops : variants)
        std::printf(" %12s", loops->name);
    std::printf("   faster than portable\n");
    for (const Case& what : kCases) {
        // Enough calls that the slowest variant takes about a millisecond a sample.
        const int calls = callsForAMillisecond([&] { what.run(scene, portable); });
        std::vector<std::vector<double>> times(variants.size());
        for (int sample = 0; sample < samples; ++sample) {
            for (size_t v = 0; v < variants.size(); ++v)
                times[v].push_back(timeCalls([&] { what.run(scene, *variants[v]); }, calls));
        }
        std::vector<double> medians;
        for (const std::vector<double>& sampled : times)
            medians.push_back(median(sampled));
        std::printf("%-28s", what.name);
        for (const double figure : medians)
            std::printf(" %12.2f", figure);
        std::printf("  ");
        for (size_t v = 0; v + 1 < variants.size(); ++v)
            std::printf(" %s %.2f x", variants[v]->name, medians.back() / medians[v]);
        std::printf("\n");
    }
    printCompareReference(scene, samples);
    // What the loops left, so that no compiler can leave out their work.
    uint32_t sum = 0;
    for (const uint32_t word : scene.page)
        sum += word;
    std::printf("checksum %08x\n", sum);
    return 0;
}
