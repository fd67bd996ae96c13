// Where things are on the 480 x 640 screen, and the small drawing steps the screens share.
#pragma once

#include <climits>
#include <functional>
#include <span>
#include <vector>

#include "game/matching.h"
#include "game/state.h"
#include "game/texts.h"

inline constexpr int kScreenWidth = 480;
inline constexpr int kScreenHeight = 640;
inline constexpr int kCellSize = 30;
inline constexpr int kBlockStep = 3;  // a falling block moves 3 pixels at a time, 10 a row
// The well's top frame line runs from kWellTopLine down to kWellTop: nothing of a falling block
// shows above it.
inline constexpr int kWellTopLine = 48;
inline constexpr int kWellTop = 50;
// The pause that lets the player see each stage of a landing.
inline constexpr int kPauseMs = 1000;
// Drawn at this column, a special block shows in the next-piece box.
inline constexpr int kPreviewColumn = 9;

// Column 0 starts at x 40. The hidden row 0 lies just above the well, so that row 1 starts at
// its top.
inline constexpr int kColumn0Left = 40;
inline constexpr int kRow0Top = kWellTop - kCellSize;

// The left and top pixel of a cell; it is kCellSize square.
constexpr int cellLeft(int column) {
    return kColumn0Left + kCellSize * column;
}
constexpr int cellTop(int row) {
    return kRow0Top + kCellSize * row;
}

// A rectangle of pixels: left and top included, right and bottom excluded.
struct Bar {
    int left;
    int top;
    int right;
    int bottom;
};

// Sets the fill colour to the one a cell of this value shows: black for EMPTY, which erases.
void setCellBrush(Cell value);
// Fills a cell's square with the fill colour.
void fillCell(int column, int row);
// Draws a block of the cell value with its top-left corner at (left, top), cut off above
// `visibleTop`: its colour (black for EMPTY, which erases) and, when the player asked for them,
// its colour's mark. The fill colour is left at the block's colour.
void drawBlock(Cell value, int left, int top, int visibleTop = INT_MIN);
// Draws a block of the cell value in a cell's square.
void drawCell(Cell value, int column, int row);
// Paints the next-piece box black.
void clearPreview();
// Paints a cell black.
void eraseCell(int column, int row);
// Paints cells black, in order.
void eraseCells(const std::vector<CheckEntry>& cells);
// Shows what gravity did: the blocks where they fell to, in order, then the cells it emptied.
void drawGravity(const Gravity& gravity);

// A font by the height and width of its character cells and its face.
struct Font {
    int height;
    int width;
    const char* face;
};
// The titles are in 黑体 48 x 24, every other text in 宋体 24 x 12.
inline constexpr Font kTitleFont{48, 24, text::kHei};
inline constexpr Font kTextFont{24, 12, text::kSong};
void setFont(const Font& font);

// A text and the top-left corner it is drawn at.
struct TextAt {
    int x;
    int y;
    const char* text;
};
// Draws the text, or the texts in order, in the pen colour.
void drawText(const TextAt& at);
void drawTexts(std::span<const TextAt> texts);

// A button: the outer corner of the green ring that shows it selected, and its label.
struct Button {
    int left;
    int top;
    TextAt label;
};
// Draws the button as a blue frame, black inside, with its label in blue; a selected one in its
// green ring.
void drawButton(const Button& button, bool selected);

// Reads keys until one is accepted and returns it; 0 when the window is closed, as no key can
// come any more.
int readKeyUntil(const std::function<bool(int key)>& accepted);
// Reads keys until one whose low byte is one of `accepted` (0-terminated).
void waitForKey(const char* accepted);
