// What the special blocks do to the board, as plain functions on the state. The special block
// rests at state.special; it is never a cell of the board.
#pragma once

#include <string_view>
#include <vector>

#include "game/state.h"

// WhiteDisc: empties its column below it, rows r + 1 to 18, a point for every row whether it
// held a block or not. Returns the rows' cells.
std::vector<CheckEntry> drillColumn(GameState& state);

// WhiteSquare: empties the cells around it (columns c - 1 to c + 1 on the board, rows r - 1 to
// r + 1 down to row 18) that hold a block, a point each. Returns them.
std::vector<CheckEntry> blastAround(GameState& state);
// Then empties row r - 2 of the same columns, without points. Returns the columns.
std::vector<int> clearAboveBlast(GameState& state);

// WhiteRing: removes every block of rows 1..18 with the colour it rests on, a point each, and
// notes each column's lowest removed row for gravity. Resting on the floor it removes nothing.
struct RingEffect {
    bool onFloor = false;
    std::vector<CheckEntry> removed;
};
RingEffect removeColour(GameState& state);

// WhiteFrame: the chooser's keys, one for each colour by its index.
inline constexpr std::string_view kColourKeys = "rgbyop";
// The colour a key of the chooser picks by the key code's low byte, or -1 for any other key.
Cell chosenColour(int key);
