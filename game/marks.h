// The colour marks: one small pictogram per block colour, drawn over a block that has just been
// filled with its colour, so that the six colours differ in shape too.
#pragma once

#include "game/state.h"

// Draws the mark of a colour cell's value on the block whose top-left corner is (left, top),
// nothing of it above `visibleTop`. Grey blocks, empty cells and anything else carry no mark.
void drawColourMark(Cell value, int left, int top, int visibleTop);
