// Points, levels and the schedule of special blocks: everything the score decides.
#pragma once

#include <cstdint>

#include "game/state.h"
#include "runtime/graph.h"

// One point: `progress` moves on by 2 and the score digits count up. The thousands digit has
// no carry; from 9999 on the digits stay put while `progress` goes on counting.
void addPoint(GameState& state);

// The levels above the first. Each starts once `progress` reaches `from`.
struct Level {
    int32_t from;
    int32_t fallDelay;
    RGBVAL colour;
    const char* mode;    // GBK
    const char* target;  // the score the next level starts at, GBK
    bool shortTarget;    // its target is narrower than the one before, which must be erased
};

// The level `progress` has reached, or null while it is still the first.
const Level* levelOf(int32_t progress);

// What the score decides each time it is shown: a copy of it is kept for the game-over screen,
// and a level above the first sets its fall delay. Returns that level, or null while it is
// still the first.
const Level* recordScore(GameState& state);

// The kind of special block due before the next piece, or kNoSpecial.
SpecialKind specialDue(int32_t progress, int32_t specialIndex);
