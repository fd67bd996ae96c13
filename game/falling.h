// The rules of a falling piece and a falling special block: landing, moving sideways, rotating
// the colours and dropping.
#pragma once

#include "game/state.h"

// What landingTest finds at the top of a row.
enum LandingResult : int {
    kMayFall = 0,
    kLanded = 1,
    kOverflowed = 2,  // a block in row 0 sits on a taken cell: the game is over
};

// Tests the current piece, which does not occupy the board while it falls.
LandingResult landingTest(const GameState& state);

// Moves the current piece one column (direction -1 left, +1 right) when every block may go: the
// cell beside it and the one above that must be empty, as a falling block overlaps both rows.
bool movePieceSideways(GameState& state, int direction);
// b0 takes b1's colour, b1 takes b2's, b2 takes b0's.
void rotateColours(Piece& piece);
void fallOneRow(Piece& piece);
// Drops the current piece row by row until it lands or overflows; returns which.
LandingResult dropPiece(GameState& state);

// The special block's sideways move, with the same rule as a piece's.
bool moveSpecialSideways(GameState& state, int direction);
// Drops the special block as far as the cells below it are empty.
void dropSpecial(GameState& state);
// Whether the special block can fall into the row below.
bool specialMayFall(const GameState& state);
