// The game's routines: each orchestrates rules (game/dealer.h, falling.h, matching.h,
// scoring.h, special_rules.h) with the drawing and the pauses the player sees, in that order.
// All of them draw on the current page and pace through delayframe.
#pragma once

#include <cstdint>

// The main menu; returns the confirmed choice: 0 start, 1 help, 2 exit.
int mainMenu();
// One game, from its first piece to game over or q.
void playGame();
// Both help pages; returns 0.
int showHelp();

// The parts of a game, for playGame and for tests.
void startGame();
void dealNextPiece();
void drawNextPreview();
int readFallKey();
int readSpecialKey();
// Returns false when a block found no cell: the well has overflowed.
bool settlePiece();
void resolveMatches();
void redrawScore();
void drawSpecial(int32_t kind, int column, int y);
void applySpecial();
int showGameOver();
void drawPlayingScreen();
