// The dealer: which piece comes next, in which colours and where. Counters stepped by fixed
// amounts, seeded by the number of menu frames; no random numbers.
#pragma once

#include "game/state.h"

// Seeds the counters from n >= 0.
void seedDealer(PieceDealer& dealer, int32_t n);
// Steps the counters for the next piece.
void stepDealer(PieceDealer& dealer);
// The piece the counters describe now: their shape at their base column, in their colours.
Piece pieceOf(const PieceDealer& dealer);

// The per-game state as a game starts, the dealer seeded by `seed` and the first piece made.
void resetGame(GameState& state, int32_t seed);
// Steps the dealer and builds the next piece; it is grey once `progress` has passed the
// threshold, which then moves on by 60.
void dealNext(GameState& state);
