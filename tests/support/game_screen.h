// What the game's screen shows, checked against what the game is meant to draw there: rectangles
// of one colour, and texts compared pixel for pixel with the runtime's own rendering of them.
#pragma once

#include <gtest/gtest.h>

#include "game/colours.h"
#include "game/screen.h"
#include "game/state.h"
#include "platform/headless/headless.h"
#include "runtime/graph.h"

using platform::headless::Frame;

// Left and top included, right and bottom excluded, in window pixels.
using platform::Rect;

// Where the game paints a cell of the board.
inline Rect cellRect(int column, int row) {
    return {cellLeft(column), cellTop(row), cellLeft(column) + kCellSize, cellTop(row) + kCellSize};
}

// Paints the blocks of the well's rows 1..18 on the page, as the landings that put them there
// would have left them; a test that sets up a board shows it this way.
void paintBlocks(const Board& board);

// What the game has drawn on its page so far, presented or not, as a frame.
Frame pageNow();

// How many pixels of the rectangle hold the colour.
int countIn(const Frame& frame, Rect rect, RGBVAL colour);
bool isFilled(const Frame& frame, Rect rect, RGBVAL colour);
// The same as an assertion that names the first pixel that differs.
::testing::AssertionResult filledWith(const Frame& frame, Rect rect, RGBVAL colour);

// Whether the frame shows the text with its top-left corner at (x, y), pixel for pixel as the
// runtime draws it in this colour and font on black.
::testing::AssertionResult showsText(const Frame& frame, int x, int y, const char* text,
                                     RGBVAL colour, const Font& font = kTextFont);
bool hasText(const Frame& frame, int x, int y, const char* text, RGBVAL colour,
             const Font& font = kTextFont);

// Whether the frame looks like the game-over screen, by a few pixels only: cheap enough to sort
// frames with while they are shown.
bool looksLikeGameOver(const Frame& frame);
