#include "game/program.h"

#include "game/routines.h"
#include "game/screen.h"
#include "game/texts.h"
#include "runtime/graph.h"

namespace {
enum MenuChoice { kStart = 0, kHelp = 1 };
}  // namespace

int runTrivanta(const GameConfig& config) {
    gameConfig() = config;
    initgraph(kScreenWidth, kScreenHeight, MODE_STARTLOGO);
    settitle(text::kTitle);
    for (;;) {
        const int choice = mainMenu();
        if (choice == kStart)
            playGame();
        else if (choice == kHelp)
            showHelp();
        else
            break;
    }
    hidegraph();
    return 0;
}
