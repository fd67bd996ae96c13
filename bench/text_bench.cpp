// Drawing a 16-character line of mixed GBK text at 24 x 12: the first draw, which rasterises
// every character, and the draw of a line whose glyphs are cached.
#include <benchmark/benchmark.h>

#include "bench/support/bench_page.h"
#include "draw/glyph_cache.h"
#include "runtime/graph.h"

namespace {

// 8 single-byte and 8 double-byte characters ("Level 3:困难模式目标分数"), 24 bytes.
constexpr const char* kLine =
    "Level 3:\xC0\xA7\xC4\xD1\xC4\xA3\xCA\xBD\xC4\xBF\xB1\xEA\xB7\xD6\xCA\xFD";
constexpr const char* kSong = FACE_SONG;

void BM_DrawTextFirst(benchmark::State& state) {
    BenchPage page(480, 640);
    setfontface(24, 12, kSong);
    for (auto _ : state) {
        state.PauseTiming();
        draw::clearGlyphCache();
        state.ResumeTiming();
        drawtext(20, 300, kLine);
    }
}
BENCHMARK(BM_DrawTextFirst)->Unit(benchmark::kMicrosecond);

void BM_DrawTextCached(benchmark::State& state) {
    BenchPage page(480, 640);
    setfontface(24, 12, kSong);
    drawtext(20, 300, kLine);
    for (auto _ : state)
        drawtext(20, 300, kLine);
}
BENCHMARK(BM_DrawTextCached)->Unit(benchmark::kMicrosecond);

}  // namespace
