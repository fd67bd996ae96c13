#include "game/matching.h"

#include "game/scoring.h"

namespace {

constexpr int kShortestLine = 3;

// The four lines through a cell, each as one of its two directions.
struct Direction {
    int column;
    int row;
};
constexpr Direction kLines[4] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};

// How far a run of `value` goes from (column, row) in one direction, the cell itself not
// counted. A run never leaves the board, and FLOOR and GREY never belong to one.
int runLength(const Board& board, int column, int row, Direction step, Cell value) {
    int length = 0;
    for (;;) {
        column += step.column;
        row += step.row;
        if (!Board::contains(column, row) || board.at(column, row) != value)
            return length;
        ++length;
    }
}

bool canFormLines(Cell value) {
    return value >= RED && value < GREY;
}

// Marks the runs of three or more through one cell; returns whether it marked any.
bool markRunsThrough(GameState& state, int column, int row) {
    const Cell value = state.board.at(column, row);
    if (!canFormLines(value))
        return false;
    bool marked = false;
    for (const Direction line : kLines) {
        const Direction back{-line.column, -line.row};
        const int before = runLength(state.board, column, row, back, value);
        const int after = runLength(state.board, column, row, line, value);
        if (before + 1 + after < kShortestLine)
            continue;
        for (int i = -before; i <= after; ++i)
            state.clearMarks.at(column + i * line.column, row + i * line.row) = 0;
        marked = true;
    }
    return marked;
}

void appendToCheckList(CheckList& list, CheckEntry entry) {
    for (CheckEntry& slot : list) {
        if (slot.row == 0) {
            slot = entry;
            return;
        }
    }
}

}  // namespace

bool settle(GameState& state) {
    bool everyBlockRests = true;
    auto& blocks = state.current.blocks;
    for (int i : kTestOrder) {
        Block& block = blocks[i];
        while (state.board.isFree(block.column, block.row + 1))
            ++block.row;
        if (block.row < kTopRow) {
            everyBlockRests = false;
            continue;
        }
        state.board.at(block.column, block.row) = block.value;
    }
    for (int i = 0; i < 3; ++i)
        state.checkList[i] = CheckEntry{blocks[i].column, blocks[i].row};
    return everyBlockRests;
}

bool markLines(GameState& state) {
    state.lowestCleared.fill(0);
    bool marked = false;
    for (const CheckEntry& entry : state.checkList) {
        if (entry.row == 0)
            break;
        // The list only ever names cells of the board; a stray entry is skipped, not read.
        if (Board::contains(entry.column, entry.row) &&
            markRunsThrough(state, entry.column, entry.row)) {
            marked = true;
        }
    }
    // The whole list is emptied, not only the entries tested: a piece whose b0 or b1 came to
    // rest in row 0 leaves the blocks after it listed behind the end, and no later pass (nor a
    // WhiteFrame's or WhiteRing's) may test them.
    state.checkList.fill(CheckEntry{});
    return marked;
}

std::vector<CheckEntry> clearMarked(GameState& state) {
    std::vector<CheckEntry> cleared;
    for (int column = 0; column < kColumns; ++column) {
        // Row 0 counts towards lines but is never cleared.
        for (int row = kTopRow + 1; row <= kBottomRow; ++row) {
            if (state.clearMarks.at(column, row) != 0)
                continue;
            addPoint(state);
            state.lowestCleared[column] = row;
            state.board.at(column, row) = EMPTY;
            state.clearMarks.at(column, row) = 1;
            cleared.push_back(CheckEntry{column, row});
        }
    }
    return cleared;
}

Gravity applyGravity(GameState& state) {
    Gravity gravity;
    for (int column = 0; column < kColumns; ++column) {
        int landing = state.lowestCleared[column];
        for (int row = landing - 1; row > kTopRow; --row) {
            const Cell value = state.board.at(column, row);
            if (value == EMPTY)
                continue;
            state.board.at(column, landing) = value;
            appendToCheckList(state.checkList, CheckEntry{column, landing});
            gravity.falls.push_back(Fall{CheckEntry{column, landing}, value});
            --landing;
        }
        for (int row = kTopRow + 1; row <= landing; ++row) {
            if (state.board.at(column, row) == EMPTY)
                continue;
            state.board.at(column, row) = EMPTY;
            gravity.emptied.push_back(CheckEntry{column, row});
        }
    }
    return gravity;
}
