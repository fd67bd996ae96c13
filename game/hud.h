// The side panel's score and level, as a score redraw shows them.
#pragma once

#include <array>
#include <cstdint>

#include "game/scoring.h"

// Draws the score in white from its first non-zero digit (a score of 0 shows its ones digit);
// the positions left of it are not touched.
void drawScore(const std::array<int32_t, 4>& digits);
// Draws the level's mode name and target in its colour, once a shorter target's leftover of the
// one before is erased.
void drawLevel(const Level& level);
