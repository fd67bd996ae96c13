// Clearing and filling a whole 480 x 640 page beside memset of the same bytes, copying a whole
// page onto another beside memcpy, and a circle so large and so far away that only clipping makes
// it cheap.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench/support/bench_page.h"
#include "runtime/graph.h"

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 640;
constexpr size_t kBytes = sizeof(uint32_t) * kWidth * kHeight;

void BM_Memset(benchmark::State& state) {
    BenchPage page(kWidth, kHeight);
    uint32_t* const pixels = page.image()->pixels;
    int value = 0;
    for (auto _ : state) {
        std::memset(pixels, ++value & 0xFF, kBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kBytes);
}
BENCHMARK(BM_Memset);

void BM_ClearImage(benchmark::State& state) {
    BenchPage page(kWidth, kHeight);
    RGBVAL color = 0;
    for (auto _ : state) {
        setbackcolorkeep(++color & 0xFFFFFF);
        clearimage();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kBytes);
}
BENCHMARK(BM_ClearImage);

void BM_FillBarWholePage(benchmark::State& state) {
    BenchPage page(kWidth, kHeight);
    RGBVAL color = 0;
    for (auto _ : state) {
        setbrushcolor(++color & 0xFFFFFF);
        fillbar(0, 0, kWidth, kHeight);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kBytes);
}
BENCHMARK(BM_FillBarWholePage);

// Copies a second image of the page's size onto the page with `copy`, over and over.
template <class Copy>
void runCopy(benchmark::State& state, Copy copy) {
    BenchPage page(kWidth, kHeight);
    const PIMAGE source = newimage(kWidth, kHeight);
    for (auto _ : state) {
        copy(page.image(), source);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kBytes);
    freeimage(source);
}

void BM_Memcpy(benchmark::State& state) {
    runCopy(state, [](PIMAGE to, PIMAGE from) { std::memcpy(to->pixels, from->pixels, kBytes); });
}
BENCHMARK(BM_Memcpy);

void BM_PutImageWholePage(benchmark::State& state) {
    runCopy(state, [](PIMAGE, PIMAGE from) { putimage(0, 0, from); });
}
BENCHMARK(BM_PutImageWholePage);

// A circle of radius 1e9 centred far outside the page still crosses it as a near-vertical line.
void BM_HugeCircleOutsideThePage(benchmark::State& state) {
    BenchPage page(kWidth, kHeight);
    for (auto _ : state)
        drawcircle(240 - 1'000'000'000, 320, 1'000'000'000);
}
BENCHMARK(BM_HugeCircleOutsideThePage)->Unit(benchmark::kMicrosecond);

}  // namespace
