// The rules of landing, matching, clearing and gravity, as plain functions on the state. The
// routines that show them (game/resolve.cpp) draw their results in this order.
#pragma once

#include <vector>

#include "game/state.h"

// Lets the landed current piece fall apart into the board: b2, b1, b0 in turn each fall as far
// as they can and take their cell, and the check list is filled with where they rest. Returns
// false when a block found no cell (it rests above row 0: the well has overflowed); that block
// is not written.
bool settle(GameState& state);

// Tests the lines through every cell of the check list (up to its first entry in row 0) and
// marks every run of three or more equal colours; empties the list. Returns whether anything
// was marked.
bool markLines(GameState& state);

// Clears the marked cells of rows 1..18, column by column from the top, scoring a point each
// and noting each column's lowest cleared row. Returns the cleared cells in that order.
std::vector<CheckEntry> clearMarked(GameState& state);

// What gravity did: where blocks fell to (in order) and which cells it emptied afterwards.
struct Fall {
    CheckEntry to;
    Cell value = EMPTY;
};
struct Gravity {
    std::vector<Fall> falls;
    std::vector<CheckEntry> emptied;
};

// Closes each column's gaps from its lowest cleared row upwards, appending every cell a block
// fell to to the check list. Row 0 never moves.
Gravity applyGravity(GameState& state);
