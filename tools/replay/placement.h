// The automatic player's choices, each found by trying every option on a copy of the game with
// the game's own rules (game/falling.h, matching.h) and weighing the well that results.
#pragma once

#include "game/state.h"

namespace replay {

// Where the current piece goes: how often its colours rotate (w), then how many columns it
// moves (negative to the left) before it drops.
struct Placement {
    int rotations = 0;
    int shift = 0;
};

Placement choosePlacement(const GameState& state);

// Whether a block of the piece is still in row 0 or above it, where no piece may move sideways.
bool tooHighToMove(const Piece& piece);

// The colour the white frame resting at state.special should become.
Cell chooseColour(const GameState& state);

}  // namespace replay
