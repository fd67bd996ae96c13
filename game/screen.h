// Where things are on the 480 x 640 screen, and the small drawing steps the screens share.
#pragma once

#include <functional>
#include <span>
#include <vector>

#include "game/matching.h"
#include "game/state.h"
#include "runtime/graph.h"

inline constexpr int kScreenWidth = 480;
inline constexpr int kScreenHeight = 640;
inline constexpr int kCellSize = 30;
inline constexpr int kBlockStep = 3;  // a falling block moves 3 pixels at a time, 10 a row
// The well's top frame line: nothing of a falling block shows above it.
inline constexpr int kWellTop = 50;
// The pause that lets the player see each stage of a landing.
inline constexpr int kPauseMs = 1000;
// Drawn at this column, a special block shows in the next-piece box.
inline constexpr int kPreviewColumn = 9;

// The left and top pixel of a cell; it is kCellSize square.
inline int cellLeft(int column) {
    return 40 + kCellSize * column;
}
inline int cellTop(int row) {
    return 20 + kCellSize * row;
}

// Sets the fill colour to the one a cell of this value shows: black for EMPTY, which erases.
void setCellBrush(Cell value);
// Fills a cell's square with the fill colour.
void fillCell(int column, int row);
// Paints the next-piece box black.
void clearPreview();
// Paints a cell black.
void eraseCell(int column, int row);
// Paints cells black, in order.
void eraseCells(const std::vector<CheckEntry>& cells);
// Shows what gravity did: the blocks where they fell to, in order, then the cells it emptied.
void drawGravity(const Gravity& gravity);

// A text and the top-left corner it is drawn at.
struct TextAt {
    int x;
    int y;
    const char* text;
};
// Draws the texts in the pen colour, in order.
void drawTexts(std::span<const TextAt> texts);

// The green-ringed, blue-framed black button with a label, as the menu draws the selected one;
// (left, top) is the outer corner of the green ring.
void drawSelectedButton(int left, int top, int labelX, int labelY, const char* label);

// Reads keys until one is accepted and returns it; 0 when the window is closed, as no key can
// come any more.
int readKeyUntil(const std::function<bool(int key)>& accepted);
// Reads keys until one whose low byte is one of `accepted` (0-terminated).
void waitForKey(const char* accepted);
