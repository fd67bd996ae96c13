// trivanta_soak GAME [MINUTES]: plays the real game GAME under a private X server for MINUTES
// (10 unless given), typing with xdotool as a player would, and samples the game's resident
// memory every second. The session starts with the help pages and a game whose pieces are all
// dropped at once until the well overflows; then, in turn, a short game steered a little and
// quit with q, another game played to its end, and the help pages again. Once the time is up
// it leaves through the menu's exit.
//
// It passes (exit code 0) when every screen came as expected, the game ended with code 0, and
// the largest resident size after the first game stays within 1 MB of the largest up to its
// end: by then every screen the session shows has been drawn, with its fonts and glyphs, so
// anything more is a leak. Exit code 1 when it fails, 2 for bad arguments.
#include <X11/Xlib.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>

#include "tests/support/program_screens.h"
#include "tests/support/program_window.h"
#include "tests/support/stress_rss.h"
#include "tests/support/x11_desktop.h"

namespace {

constexpr int kDefaultMinutes = 10;
constexpr int64_t kGrowthAllowanceKb = 1024;
constexpr int kMostPiecesPerGame = 100;
constexpr int kPiecesPerShortGame = 8;
constexpr int kMostMovesPerPiece = 4;
// A landed piece holds the game for three one-second pauses, more when lines clear.
constexpr double kLandingSeconds = 3.3;

// A game that dies makes the window's reads fail; that is reported as the game's exit, not as
// an X error that would end the soak.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

class Session {
public:
    explicit Session(ProgramWindow& game) : game_(game) {}

    // Why the session could not go on; empty while it goes well.
    const std::string& failure() const { return failure_; }
    int games() const { return games_; }
    int pieces() const { return pieces_; }

    // Every screen once: the help pages, and a game with every piece dropped at once until
    // the well overflows.
    bool firstRound() { return helpPages() && gameToTheEnd(); }
    // The next round after the first.
    bool round(int number) {
        switch (number % 3) {
            case 0:
                return playGame(kPiecesPerShortGame, kMostMovesPerPiece);
            case 1:
                return gameToTheEnd();
            default:
                return helpPages();
        }
    }
    bool leave() {
        if (!game_.type("s s space"))
            return fail("xdotool failed");
        return game_.process().waitExit(5 * kSlowdown) == 0 ||
               fail("the menu's exit did not end the game with code 0");
    }

private:
    bool fail(const std::string& why) {
        if (failure_.empty())
            failure_ = why;
        return false;
    }

    bool gameToTheEnd() { return playGame(kMostPiecesPerGame, 0); }

    bool helpPages() {
        return (game_.typeUntil("s space", [&] { return helpShown(game_); }) ||
                fail("no help page")) &&
               (game_.typeUntil("space space", [&] { return menuShown(game_); }) ||
                fail("the help pages did not return to the menu"));
    }

    // Plays up to `pieces` pieces, each moved and rotated by up to `moves` random keys, and
    // comes back to the menu: from the game-over screen, or with q.
    bool playGame(int pieces, int moves) {
        ++games_;
        if (!game_.typeUntil("space", [&] { return playingScreenShown(game_); }))
            return fail("no game started from the menu");
        for (int i = 0; i < pieces; ++i) {
            bool over = false;
            if (!playPiece(moves, over))
                return false;
            if (over) {
                return game_.typeUntil("space", [&] { return menuShown(game_); }) ||
                       fail("the game-over screen did not return to the menu");
            }
        }
        return game_.typeUntil("q", [&] { return menuShown(game_); }) ||
               fail("q did not quit the game");
    }

    // Steers and drops the falling piece, and waits through the pauses that follow its
    // landing; `over` tells whether the game-over screen came.
    bool playPiece(int moves, bool& over) {
        ++pieces_;
        std::string keys;
        const int count = std::uniform_int_distribution(0, moves)(random_);
        for (int i = 0; i < count; ++i)
            keys.append(kMoves[std::uniform_int_distribution(0, 2)(random_)]).append(" ");
        if (!game_.type(keys + "s"))
            return fail("xdotool failed");
        over = holdsWithin(kLandingSeconds, [&] { return gameOverShown(game_); });
        // A white frame asks for its colour; red will do.
        if (chooserShown(game_) && !game_.type("r"))
            return fail("xdotool failed");
        return true;
    }

    static constexpr const char* kMoves[] = {"a", "d", "w"};

    ProgramWindow& game_;
    std::mt19937 random_{7};
    std::string failure_;
    int games_ = 0;
    int pieces_ = 0;
};

void reportMinutes(const std::vector<RssSample>& samples, double endSeconds) {
    for (int minute = 0; minute * 60 < endSeconds; ++minute) {
        std::printf("soak: minute %2d: largest resident size %lld kB\n", minute + 1,
                    static_cast<long long>(largestBetween(samples, minute * 60, minute * 60 + 60)));
    }
}

// Whether the memory stayed put after the first game, which ended at `firstGameEnd` seconds.
bool memoryHeld(const std::vector<RssSample>& samples, double firstGameEnd) {
    const int64_t firstGame = largestBetween(samples, 0, firstGameEnd);
    const int64_t after = largestBetween(samples, firstGameEnd, INFINITY);
    std::printf("soak: %zu samples; largest %lld kB in the first game (%.0f s), %lld kB after it\n",
                samples.size(), static_cast<long long>(firstGame), firstGameEnd,
                static_cast<long long>(after));
    return after <= firstGame + kGrowthAllowanceKb;
}

int failed(const std::string& why) {
    std::printf("soak: FAIL: %s\n", why.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const int minutes = argc > 2 ? std::atoi(argv[2]) : kDefaultMinutes;
    if (argc < 2 || argc > 3 || minutes <= 0) {
        std::fprintf(stderr, "usage: trivanta_soak GAME [MINUTES]\n");
        return 2;
    }
    X11Desktop server;
    if (!server.running())
        return failed(server.error());
    XSetErrorHandler(ignoreXError);
    ProgramWindow game(server, std::vector<std::string>{argv[1]});
    if (!game.shown())
        return failed("the game's window did not appear");
    RssSampler rss(game.process().pid());
    if (!holdsWithin(10, [&] { return menuShown(game); }))
        return failed("the menu did not appear");

    Session session(game);
    if (!session.firstRound())
        return failed(session.failure());
    const double firstGameEnd = rss.now();
    for (int round = 0; rss.now() < minutes * 60.0; ++round) {
        if (!session.round(round))
            return failed(session.failure());
    }
    const double end = rss.now();
    const std::vector<RssSample> samples = rss.samples();
    if (!session.leave())
        return failed(session.failure());

    std::printf("soak: %.0f s, %d games, %d pieces\n", end, session.games(), session.pieces());
    reportMinutes(samples, end);
    if (!memoryHeld(samples, firstGameEnd))
        return failed("the game's memory grew after the first game");
    std::printf("soak: PASS\n");
    return 0;
}
