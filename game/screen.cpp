#include "game/screen.h"

#include <cstring>

#include "game/colours.h"

namespace {

// The low byte of a key code: the game compares nothing else.
char lowByte(int key) {
    return static_cast<char>(key & 0xFF);
}

}  // namespace

void setCellBrush(Cell value) {
    setbrushcolor(cellColour(value));
}

void fillCell(int column, int row) {
    fillbar(cellLeft(column), cellTop(row), cellLeft(column) + kCellSize, cellTop(row) + kCellSize);
}

void clearPreview() {
    setbrushcolor(kBlack);
    fillbar(324, 85, 438, 190);
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
    for (const Fall& fall : gravity.falls) {
        setCellBrush(fall.value);
        fillCell(fall.to.column, fall.to.row);
    }
    eraseCells(gravity.emptied);
}

void drawTexts(std::span<const TextAt> texts) {
    for (const TextAt& at : texts)
        drawtext(at.x, at.y, at.text);
}

void drawSelectedButton(int left, int top, int labelX, int labelY, const char* label) {
    setbrushcolor(kGreen);
    fillbar(left, top, left + 108, top + 40);
    setbrushcolor(kBlue);
    fillbar(left + 4, top + 4, left + 104, top + 36);
    setbrushcolor(kBlack);
    fillbar(left + 6, top + 6, left + 102, top + 34);
    setpencolor(kBlue);
    drawtext(labelX, labelY, label);
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
