#include "game/special_rules.h"

#include "game/scoring.h"

namespace {

// Empties a cell for a point.
void takeForAPoint(GameState& state, int column, int row, std::vector<CheckEntry>& taken) {
    addPoint(state);
    state.board.at(column, row) = EMPTY;
    taken.push_back(CheckEntry{column, row});
}

}  // namespace

std::vector<CheckEntry> drillColumn(GameState& state) {
    std::vector<CheckEntry> drilled;
    const Special at = state.special;
    for (int row = at.row + 1; row <= kBottomRow; ++row)
        takeForAPoint(state, at.column, row, drilled);
    return drilled;
}

std::vector<CheckEntry> blastAround(GameState& state) {
    std::vector<CheckEntry> blasted;
    const Special at = state.special;
    for (int column = at.column - 1; column <= at.column + 1; ++column) {
        for (int row = at.row - 1; row <= at.row + 1 && row <= kBottomRow; ++row) {
            if (Board::contains(column, row) && state.board.at(column, row) != EMPTY)
                takeForAPoint(state, column, row, blasted);
        }
    }
    return blasted;
}

std::vector<int> clearAboveBlast(GameState& state) {
    std::vector<int> columns;
    const Special at = state.special;
    for (int column = at.column - 1; column <= at.column + 1; ++column) {
        if (column < 0 || column >= kColumns)
            continue;
        if (at.row - 2 >= kTopRow)
            state.board.at(column, at.row - 2) = EMPTY;
        columns.push_back(column);
    }
    return columns;
}

RingEffect removeColour(GameState& state) {
    RingEffect effect;
    const Cell below = state.board.at(state.special.column, state.special.row + 1);
    effect.onFloor = below == FLOOR;
    if (effect.onFloor)
        return effect;
    state.lowestCleared.fill(0);
    for (int column = 0; column < kColumns; ++column) {
        for (int row = kTopRow + 1; row <= kBottomRow; ++row) {
            if (state.board.at(column, row) != below)
                continue;
            takeForAPoint(state, column, row, effect.removed);
            state.lowestCleared[column] = row;
        }
    }
    return effect;
}

Cell chosenColour(int key) {
    const size_t found = kColourKeys.find(static_cast<char>(key & 0xFF));
    return found != std::string_view::npos ? static_cast<Cell>(found) : -1;
}
