// Whole games on the headless backend: the automatic player (tools/replay/autoplayer.h, linked
// in by tools/CMakeLists.txt) plays 120 pieces, with clears, chains and special blocks, and
// quits. Each game starts after the same number of menu frames, so every iteration plays the
// very same game. The time includes the player's own thinking, reported apart as player_ms.
#include <benchmark/benchmark.h>

#include <chrono>

#include "game/routines.h"
#include "game/state.h"
#include "game/texts.h"
#include "platform/headless/headless.h"
#include "tests/support/runtime_window.h"
#include "tools/replay/autoplayer.h"

namespace {

namespace headless = platform::headless;

constexpr int kPieces = 120;
constexpr int32_t kMenuFrames = 1234;

// One game; the player and what it cost.
struct Played {
    int pieces = 0;
    int specials = 0;
    int points = 0;
    bool lost = false;
    double virtualSeconds = 0;
    double playerMs = 0;
    int64_t frames = 0;
};

Played playOneGame() {
    menuFrames() = kMenuFrames;
    replay::AutoPlayer player(
        kPieces, [](const char* key) { headless::pressKey(headless::nowMs() + 1, key); });
    Played played;
    replay::watchGameFrames([&](const headless::Frame& frame) {
        const auto start = std::chrono::steady_clock::now();
        player.onFrame(frame);
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - start;
        played.playerMs += spent.count();
    });
    const double startMs = headless::nowMs();
    const int64_t framesBefore = headless::frameCount();
    playGame();
    played.frames = headless::frameCount() - framesBefore;
    replay::watchGameFrames(nullptr);
    played.virtualSeconds = (headless::nowMs() - startMs) / 1000;
    played.pieces = player.piecesPlayed();
    played.specials = player.specialsPlayed();
    played.points = (game().progress + 7) / 2;
    played.lost = player.lost();
    return played;
}

void BM_GameOf120Pieces(benchmark::State& state) {
    openHeadlessWindow(480, 640);
    settarget(nullptr);
    // The font the menu leaves selected, which the playing screen relies on.
    setfontface(24, 12, text::kSong);
    Played played;
    for (auto _ : state) {
        played = playOneGame();
        if (played.lost) {
            state.SkipWithError("the automatic player lost the game");
            break;
        }
    }
    state.counters["pieces"] = played.pieces;
    state.counters["points"] = played.points;
    state.counters["specials"] = played.specials;
    state.counters["virtual_s"] = played.virtualSeconds;
    state.counters["player_ms"] = played.playerMs;
    state.counters["frames"] = static_cast<double>(played.frames);
}
BENCHMARK(BM_GameOf120Pieces)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
