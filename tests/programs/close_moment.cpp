// trivanta_close_moment MOMENT: a program for the close-button tests. It opens the game's
// window on the X server, sets the game up for one moment that a real session reaches only by
// chance or after a long game, says "ready" and runs the game's own routine for it, for the
// test to click the close button meanwhile. MOMENT is one of
//
//   menu      the main menu
//   help      the first help page
//   falling   a game's first piece falling
//   clearing  the pauses after a line of three is cleared
//   chooser   a white frame has landed and the colour chooser waits for a key
//   gameover  the game-over screen
//
// Should the routine end before the window is closed, the moment was missed: exit code 3.
// A moment it does not know: exit code 2.
#include <cstdio>
#include <cstring>
#include <functional>

#include "game/routines.h"
#include "game/screen.h"
#include "game/state.h"
#include "game/texts.h"
#include "runtime/graph.h"

namespace {

constexpr int kMissed = 3;
constexpr int kUnknownMoment = 2;

// Nothing to set up beyond the window.
void freshWindow() {}

// A game started, with three red blocks in a row on the well's floor, shown, and listed for the
// line test.
void gameWithALineOfThree() {
    startGame();
    GameState& state = game();
    setCellBrush(RED);
    for (int column = 0; column < 3; ++column) {
        state.board.at(column, kBottomRow) = RED;
        fillCell(column, kBottomRow);
    }
    state.checkList[0] = CheckEntry{0, kBottomRow};
}

// A game started, with a white frame resting on the floor of the middle column, about to act.
void gameWithAWhiteFrameLanded() {
    startGame();
    GameState& state = game();
    state.pendingSpecial = WhiteFrame;
    state.special = Special{4, kBottomRow};
}

struct Moment {
    const char* name;
    void (*setUp)();
    std::function<void()> routine;
};

const Moment kMoments[] = {
    {"menu", freshWindow, [] { mainMenu(); }},
    {"help", freshWindow, [] { showHelp(); }},
    {"falling", freshWindow, playGame},
    {"clearing", gameWithALineOfThree, resolveMatches},
    {"chooser", gameWithAWhiteFrameLanded, applySpecial},
    {"gameover", freshWindow, [] { showGameOver(); }},
};

}  // namespace

int main(int argc, char** argv) {
    const Moment* moment = nullptr;
    for (const Moment& known : kMoments) {
        if (argc == 2 && std::strcmp(argv[1], known.name) == 0)
            moment = &known;
    }
    if (moment == nullptr) {
        std::fprintf(stderr,
                     "usage: trivanta_close_moment menu|help|falling|clearing|chooser|"
                     "gameover\n");
        return kUnknownMoment;
    }
    initgraph(kScreenWidth, kScreenHeight, 0);
    // The font the main menu leaves selected for what follows it.
    setfontface(24, 12, text::kSong);
    moment->setUp();
    std::printf("ready\n");
    std::fflush(stdout);
    moment->routine();
    return kMissed;
}
