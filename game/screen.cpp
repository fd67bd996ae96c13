#include "game/screen.h"

#include <algorithm>
#include <cstring>

#include "game/colours.h"
#include "game/config.h"
#include "game/marks.h"
#include "runtime/graph.h"

namespace {

// The next-piece box below its label, inside the box's frame.
constexpr int kPreviewLeft = 324;
constexpr int kPreviewTop = 85;
constexpr int kPreviewRight = 438;
constexpr int kPreviewBottom = 190;

// A button's green ring is 4 pixels wide around the blue frame, which is 2 pixels wide.
constexpr int kButtonWidth = 108;
constexpr int kButtonHeight = 40;
constexpr int kRingWidth = 4;
constexpr int kButtonFrameWidth = 2;

// The low byte of a key code: the game compares nothing else.
char lowByte(int key) {
    return static_cast<char>(key & 0xFF);
}

// Fills the button's rectangle with the fill colour, `inset` pixels in from its ring's edge.
void fillButtonInside(const Button& button, int inset) {
    fillbar(button.left + inset, button.top + inset, button.left + kButtonWidth - inset,
            button.top + kButtonHeight - inset);
}

}  // namespace

void setCellBrush(Cell value) {
    setbrushcolor(cellColour(value));
}

void fillCell(int column, int row) {
    fillbar(cellLeft(column), cellTop(row), cellLeft(column) + kCellSize, cellTop(row) + kCellSize);
}

void drawBlock(Cell value, int left, int top, int visibleTop) {
    setCellBrush(value);
    fillbar(left, std::max(top, visibleTop), left + kCellSize, top + kCellSize);
    if (gameConfig().colourMarks)
        drawColourMark(value, left, top, visibleTop);
}

void drawCell(Cell value, int column, int row) {
    drawBlock(value, cellLeft(column), cellTop(row));
}

void clearPreview() {
    setbrushcolor(kBlack);
    fillbar(kPreviewLeft, kPreviewTop, kPreviewRight, kPreviewBottom);
}

void eraseCell(int column, int row) {
    setbrushcolor(kBlack);
    fillCell(column, row);
}

void eraseCells(const std::vector<CheckEntry>& cells) {
    for (const CheckEntry& cell : cells)
        eraseCell(cell.column, cell.row);
}

void drawGravity(const Gravity& gravity) {
    for (const Fall& fall : gravity.falls)
        drawCell(fall.value, fall.to.column, fall.to.row);
    eraseCells(gravity.emptied);
}

void setFont(const Font& font) {
    setfontface(font.height, font.width, font.face);
}

void drawText(const TextAt& at) {
    drawtext(at.x, at.y, at.text);
}

void drawTexts(std::span<const TextAt> texts) {
    for (const TextAt& at : texts)
        drawText(at);
}

void drawButton(const Button& button, bool selected) {
    if (selected) {
        setbrushcolor(kGreen);
        fillButtonInside(button, 0);
    }
    setbrushcolor(kBlue);
    fillButtonInside(button, kRingWidth);
    setbrushcolor(kBlack);
    fillButtonInside(button, kRingWidth + kButtonFrameWidth);
    setpencolor(kBlue);
    drawText(button.label);
}

int readKeyUntil(const std::function<bool(int key)>& accepted) {
    for (;;) {
        const int key = readkey();
        if (key <= 0 && keyready() < 0)
            return 0;
        if (accepted(key))
            return key;
    }
}

void waitForKey(const char* accepted) {
    readKeyUntil([accepted](int key) {
        return lowByte(key) != 0 && std::strchr(accepted, lowByte(key)) != nullptr;
    });
}
