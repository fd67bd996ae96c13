// The special blocks as the player sees them: how each kind looks, and its effect drawn step by
// step.
#include "game/colours.h"
#include "game/matching.h"
#include "game/routines.h"
#include "game/scoring.h"
#include "game/screen.h"
#include "game/special_rules.h"
#include "game/state.h"
#include "game/texts.h"
#include "runtime/graph.h"

namespace {

constexpr int kPreviewBlockX = 365;
// Discs and rings are centred in their cell and touch its sides; a ring's hole has radius 7.
constexpr int kRadius = kCellSize / 2;
constexpr int kDiscFirstRadius = 1;
constexpr int kRingFirstRadius = 8;
// A white frame's border is 4 pixels wide.
constexpr int kFrameBorder = 4;

// A white disc drawn as circles of growing radius, or a ring of the outer ones.
void drawCircles(int x, int y, int firstRadius) {
    setpencolor(kWhite);
    for (int radius = firstRadius; radius <= kRadius; ++radius)
        drawcircle(x + kRadius, y + kRadius, radius);
}

// Fills the square of a special block at (x, y), `inset` pixels in from its sides.
void fillSquare(int x, int y, int inset) {
    fillbar(x + inset, y + inset, x + kCellSize - inset, y + kCellSize - inset);
}

// The chooser's box over the middle of the well, in a white border 3 pixels wide.
constexpr int kChooserLeft = 70;
constexpr int kChooserTop = 120;
constexpr int kChooserRight = 280;
constexpr int kChooserBottom = 333;
constexpr int kChooserBorder = 3;

constexpr TextAt kChooserTexts[] = {
    {75, 125, text::kChooseColour}, {75, 154, text::kChooseRed},    {75, 183, text::kChooseGreen},
    {75, 212, text::kChooseBlue},   {75, 241, text::kChooseYellow}, {75, 270, text::kChooseOrange},
    {75, 299, text::kChoosePurple},
};

// The colour chooser over the middle of the well, in the colour the level's texts were last
// drawn in.
void drawChooser() {
    setbrushcolor(kWhite);
    fillbar(kChooserLeft, kChooserTop, kChooserRight, kChooserBottom);
    setbrushcolor(kBlack);
    fillbar(kChooserLeft + kChooserBorder, kChooserTop + kChooserBorder,
            kChooserRight - kChooserBorder, kChooserBottom - kChooserBorder);
    drawTexts(kChooserTexts);
}

// The chosen colour; red when the window is gone and nothing can be chosen any more.
Cell readChosenColour() {
    const int key = readKeyUntil([](int typed) { return chosenColour(typed) >= 0; });
    return key != 0 ? chosenColour(key) : RED;
}

void repaintWell(const Board& board) {
    for (int column = 0; column < kColumns; ++column) {
        for (int row = kTopRow + 1; row <= kBottomRow; ++row)
            drawCell(board.at(column, row), column, row);
    }
}

void applyDisc(GameState& state) {
    eraseCells(drillColumn(state));
    redrawScore();
}

void applySquare(GameState& state) {
    eraseCells(blastAround(state));
    redrawScore();
    setbrushcolor(kBlack);
    for (int column : clearAboveBlast(state)) {
        for (int row = state.special.row - 2; row <= state.special.row; ++row)
            fillCell(column, row);
    }
}

void applyRing(GameState& state) {
    const RingEffect effect = removeColour(state);
    if (effect.onFloor) {
        redrawScore();
        return;
    }
    eraseCells(effect.removed);
    drawGravity(applyGravity(state));
    redrawScore();
    resolveMatches();
}

void applyFrame(GameState& state) {
    drawChooser();
    state.board.at(state.special.column, state.special.row) = readChosenColour();
    repaintWell(state.board);
    state.checkList[0] = CheckEntry{state.special.column, state.special.row};
    resolveMatches();
}

}  // namespace

void drawSpecial(SpecialKind kind, int column, int y) {
    int x = cellLeft(column);
    if (column == kPreviewColumn) {
        clearPreview();
        x = kPreviewBlockX;
    }
    drawSpecialAt(kind, x, y);
    // Nothing shows above the well, and its top frame line stays whole over the block.
    if (y < kWellTop) {
        setbrushcolor(kBlack);
        fillbar(x, y, x + kCellSize, kWellTopLine);
        setbrushcolor(kWhite);
        fillbar(x, kWellTopLine, x + kCellSize, kWellTop);
    }
}

void drawSpecialAt(SpecialKind kind, int x, int y) {
    setbrushcolor(kBlack);  // the erase draws in it
    switch (kind) {
        case kEraseSpecial:
            fillSquare(x, y, 0);
            break;
        case WhiteDisc:
            drawCircles(x, y, kDiscFirstRadius);
            break;
        case WhiteSquare:
            setbrushcolor(kWhite);
            fillSquare(x, y, 0);
            break;
        case WhiteRing:
            drawCircles(x, y, kRingFirstRadius);
            break;
        case WhiteFrame:
            setbrushcolor(kWhite);
            fillSquare(x, y, 0);
            setbrushcolor(kBlack);
            fillSquare(x, y, kFrameBorder);
            break;
        default:
            break;
    }
}

void applySpecial() {
    GameState& state = game();
    const SpecialKind kind = state.pendingSpecial;
    drawSpecial(kind, state.special.column, cellTop(state.special.row));
    delayframe(kPauseMs);
    if (kind != WhiteFrame) {
        addPoint(state);
        eraseCell(state.special.column, state.special.row);
    }
    switch (kind) {
        case WhiteDisc:
            applyDisc(state);
            break;
        case WhiteSquare:
            applySquare(state);
            break;
        case WhiteRing:
            applyRing(state);
            break;
        case WhiteFrame:
            applyFrame(state);
            break;
        default:
            break;
    }
}
