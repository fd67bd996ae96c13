#include "tools/replay/placement.h"

#include <algorithm>
#include <limits>

#include "game/falling.h"
#include "game/matching.h"

namespace replay {

namespace {

constexpr double kUnplayable = -std::numeric_limits<double>::infinity();

// The weights of the well: points count most, then a low well, then neighbours of one colour
// that a later piece can finish into a line. A well that reaches its top loses the game, so
// heights near it weigh the more.
constexpr double kPointWeight = 40;
constexpr double kHeightWeight = 2;
constexpr double kTallestWeight = 3;
constexpr double kPairWeight = 4;
constexpr int kSafeHeight = 11;
constexpr double kDangerWeight = 30;

// Clears lines and lets blocks fall until nothing more matches; returns the points scored.
int resolveAll(GameState& state) {
    const int32_t before = state.progress;
    while (markLines(state)) {
        clearMarked(state);
        applyGravity(state);
    }
    return (state.progress - before) / 2;
}

int heightOf(const Board& board, int column) {
    int row = kTopRow;
    while (row < kFloorRow && board.at(column, row) == EMPTY)
        ++row;
    return kFloorRow - row;
}

// Neighbouring cells of one colour, each pair counted once (right, down and both diagonals).
int pairsOf(const Board& board) {
    constexpr int kSteps[4][2] = {{1, 0}, {0, 1}, {1, 1}, {-1, 1}};
    int pairs = 0;
    for (int column = 0; column < kColumns; ++column) {
        for (int row = kTopRow; row <= kBottomRow; ++row) {
            const Cell value = board.at(column, row);
            if (value < RED || value >= GREY)
                continue;
            for (const auto& step : kSteps) {
                const int c = column + step[0];
                const int r = row + step[1];
                pairs += Board::contains(c, r) && r <= kBottomRow && board.at(c, r) == value;
            }
        }
    }
    return pairs;
}

double worth(const Board& board, int points) {
    int total = 0;
    int tallest = 0;
    for (int column = 0; column < kColumns; ++column) {
        const int height = heightOf(board, column);
        total += height;
        tallest = std::max(tallest, height);
    }
    const int danger = std::max(0, tallest - kSafeHeight);
    return kPointWeight * points - kHeightWeight * total - kTallestWeight * tallest +
           kPairWeight * pairsOf(board) - kDangerWeight * danger * danger;
}

// The well after the piece has taken the placement: it may move sideways only once all its
// blocks are in the well, as the game allows, and then drops.
double tryPlacement(GameState trial, const Placement& placement) {
    for (int i = 0; i < placement.rotations; ++i)
        rotateColours(trial.current);
    while (tooHighToMove(trial.current) && landingTest(trial) == kMayFall)
        fallOneRow(trial.current);
    const int direction = placement.shift < 0 ? -1 : 1;
    for (int i = 0; i != placement.shift; i += direction) {
        if (!movePieceSideways(trial, direction))
            return kUnplayable;
    }
    if (dropPiece(trial) == kOverflowed || !settle(trial))
        return kUnplayable;
    const int points = resolveAll(trial);
    return worth(trial.board, points);
}

}  // namespace

Placement choosePlacement(const GameState& state) {
    Placement best;
    double bestWorth = kUnplayable;
    for (int rotations = 0; rotations < 3; ++rotations) {
        for (int shift = -kColumns + 1; shift < kColumns; ++shift) {
            const Placement placement{rotations, shift};
            const double value = tryPlacement(state, placement);
            if (value > bestWorth) {
                bestWorth = value;
                best = placement;
            }
        }
    }
    return best;
}

bool tooHighToMove(const Piece& piece) {
    return std::any_of(piece.blocks.begin(), piece.blocks.end(),
                       [](const Block& block) { return block.row <= kTopRow; });
}

Cell chooseColour(const GameState& state) {
    Cell best = RED;
    double bestWorth = kUnplayable;
    for (Cell colour = RED; colour < kColours; ++colour) {
        GameState trial = state;
        trial.board.at(trial.special.column, trial.special.row) = colour;
        trial.checkList[0] = CheckEntry{trial.special.column, trial.special.row};
        const int points = resolveAll(trial);
        const double value = worth(trial.board, points);
        if (value > bestWorth) {
            bestWorth = value;
            best = colour;
        }
    }
    return best;
}

}  // namespace replay
