// The game's screens as its window shows them, each told by a few pixels where only that screen
// draws those colours: cheap enough to poll while the game runs. The X11 end-to-end tests and
// the browser's checks (tests/web/screen_checks.cpp) both ask these.
#pragma once

#include "tests/support/screen_view.h"

// The main menu with its green ring around button `cursor`: 0 start, 1 help, 2 exit.
bool menuShown(const ScreenView& game, int cursor = 0);
// The rest of the menu: the yellow title, and the blue frames of the buttons, black inside.
bool menuDrawn(const ScreenView& game);
// The first help page: its picture of a clear and the green-ringed "next" button.
bool helpShown(const ScreenView& game);
// The first help page's picture in detail: a green block beside the cell it cleared.
bool helpPictureDrawn(const ScreenView& game);
// The second help page: greys, a white square, a white frame, the disc and the ring.
bool secondHelpShown(const ScreenView& game);
// The playing screen: the well's white frame.
bool playingScreenShown(const ScreenView& game);
// The first level's mode name, in green.
bool firstLevelShown(const ScreenView& game);
// A block of any colour inside the well.
bool wellHasBlock(const ScreenView& game);
// The lowest pixel row of the well that shows a block, or -1.
int lowestBlockRow(const ScreenView& game);
// The colour chooser's white frame over the well.
bool chooserShown(const ScreenView& game);
// The game-over screen's green-ringed "back" button.
bool gameOverShown(const ScreenView& game);
// The game-over screen's yellow title.
bool gameOverTitleShown(const ScreenView& game);
