// The game's routines: each orchestrates rules (game/dealer.h, falling.h, matching.h,
// scoring.h, special_rules.h) with the drawing and the pauses the player sees, in that order.
// All of them draw on the current page and pace through delayframe.
#pragma once

#include "game/state.h"

// The main menu; returns the confirmed choice: 0 start, 1 help, 2 exit.
int mainMenu();
// One game, from its first piece to game over or q.
void playGame();
// Both help pages; returns 0.
int showHelp();

// What the key read during a falling step did.
enum StepResult : int {
    kKeepFalling = 0,
    kDropped = 1,
    kDropEndedGame = 2,
    kQuit = 3,
};

// The parts of a game, for playGame and for tests.
void startGame();
void dealNextPiece();
void drawNextPreview();
StepResult readFallKey();
StepResult readSpecialKey();
// Returns false when a block found no cell: the well has overflowed.
bool settlePiece();
void resolveMatches();
void redrawScore();
// Draws a special block of the kind falling in a column with its top at pixel y, cut off above
// the well; in kPreviewColumn it shows in the next-piece box.
void drawSpecial(SpecialKind kind, int column, int y);
// Draws a special block of the kind with its top-left corner at (x, y).
void drawSpecialAt(SpecialKind kind, int x, int y);
void applySpecial();
int showGameOver();
void drawPlayingScreen();
