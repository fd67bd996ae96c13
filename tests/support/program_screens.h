// The game's screens as its window shows them, each told by a few pixels where only that screen
// draws those colours: cheap enough to poll while the game runs.
#pragma once

#include "tests/support/program_window.h"

// The main menu with its green ring around button `cursor`: 0 start, 1 help, 2 exit.
bool menuShown(const ProgramWindow& game, int cursor = 0);
// The first help page: its picture of a clear and the green-ringed "next" button.
bool helpShown(const ProgramWindow& game);
// The playing screen: the well's white frame.
bool playingScreenShown(const ProgramWindow& game);
// A block of any colour inside the well.
bool wellHasBlock(const ProgramWindow& game);
// The colour chooser's white frame over the well.
bool chooserShown(const ProgramWindow& game);
// The game-over screen's green-ringed "back" button.
bool gameOverShown(const ProgramWindow& game);
