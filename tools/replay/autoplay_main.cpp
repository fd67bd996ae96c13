// trivanta_autoplay [PIECES]: the automatic player plays one game of PIECES pieces (60 unless
// given) from the main menu, headless, and the keys it typed are printed as a replay script:
// start at 4000 ms, the game, q, and the menu's exit. Add shots to the script and
// trivanta_replay shows the same game.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/program.h"
#include "game/state.h"
#include "platform/headless/headless.h"
#include "tools/replay/autoplayer.h"

namespace {

namespace headless = platform::headless;

constexpr int kDefaultPieces = 60;
// After the start-up logo, which a key would cut short.
constexpr int kStartMs = 4000;
// The menu's own pace is 5 ms a frame; these leave it some room.
constexpr int kLeaveAfterMs = 500;
constexpr int kMenuKeyGapMs = 100;

// Types keys at whole milliseconds after the program's start and prints each as a script line.
class KeyScript {
public:
    KeyScript() : startMs_(headless::nowMs()) {}

    void type(int atMs, const char* key) {
        headless::pressKey(startMs_ + atMs, key);
        std::printf("at %d key %s\n", atMs, key);
    }
    // The first whole millisecond after now, on the script's clock.
    int soon() const { return static_cast<int>(std::floor(headless::nowMs() - startMs_)) + 1; }

private:
    double startMs_;
};

}  // namespace

int main(int argc, char** argv) {
    const int pieces = argc > 1 ? std::atoi(argv[1]) : kDefaultPieces;
    if (argc > 2 || pieces <= 0) {
        std::fprintf(stderr, "usage: trivanta_autoplay [PIECES]\n");
        return 2;
    }
    headless::use();
    std::printf("# trivanta_autoplay %d: the automatic player's game, keys in ms after start\n",
                pieces);
    KeyScript keys;
    keys.type(kStartMs, "space");
    replay::AutoPlayer player(pieces, [&keys](const char* key) { keys.type(keys.soon(), key); });
    bool leaving = false;
    replay::watchGameFrames([&](const headless::Frame& frame) {
        player.onFrame(frame);
        if (!player.finished() || leaving)
            return;
        // Back in the menu: down to exit, and confirm.
        leaving = true;
        const int at = keys.soon() + kLeaveAfterMs;
        keys.type(at, "s");
        keys.type(at + kMenuKeyGapMs, "s");
        keys.type(at + 2 * kMenuKeyGapMs, "space");
    });
    const int code = runTrivanta();
    std::printf("# %d pieces, %d points, %d special blocks%s\n", player.piecesPlayed(),
                (game().progress + 7) / 2, player.specialsPlayed(), player.lost() ? ", lost" : "");
    return code;
}
