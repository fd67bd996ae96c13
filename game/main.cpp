// Trivanta: the program opens its window, then shows the menu and runs what the player chooses
// until they leave.
#include "game/routines.h"
#include "game/texts.h"
#include "runtime/graph.h"

namespace {
enum MenuChoice { kStart = 0, kHelp = 1 };
}  // namespace

int main() {
    initgraph(480, 640, MODE_STARTLOGO);
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
