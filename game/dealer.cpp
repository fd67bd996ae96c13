#include "game/dealer.h"

namespace {

// Where the three blocks of each shape start, as (column offset from the base column, row).
struct ShapeBlock {
    int column;
    int row;
};
constexpr ShapeBlock kShapes[8][3] = {
    {{1, -1}, {0, 0}, {1, 0}},   // corner: two below, one above the right one
    {{0, -1}, {0, 0}, {1, 0}},   // corner: one above the left one
    {{0, -1}, {1, -1}, {1, 0}},  // corner: two on top, one below the right one
    {{0, -1}, {1, -1}, {0, 0}},  // corner: two on top, one below the left one
    {{0, -2}, {0, -1}, {0, 0}},  // vertical
    {{1, -2}, {1, -1}, {1, 0}},  // vertical, one column further right
    {{-1, 0}, {0, 0}, {1, 0}},   // horizontal around the base column
    {{0, 0}, {1, 0}, {2, 0}},    // horizontal from the base column
};

constexpr int kShapeCount = 8;
constexpr int kColumnSteps = 4;
constexpr int kLowestBaseColumn = 2;
constexpr int kHighestBaseColumn = 5;
constexpr int kGreyEvery = 60;

// Adds and wraps back below `limit` once, as each counter does.
int32_t advance(int32_t value, int32_t step, int32_t limit) {
    value += step;
    return value >= limit ? value - limit : value;
}

int32_t colourOf(int32_t base, int32_t step) {
    return advance(base, step, kColours);
}

}  // namespace

void seedDealer(PieceDealer& dealer, int32_t n) {
    dealer.colourBase = n % 6;
    dealer.colourStep1 = (n / 6) % 6;
    dealer.colourStep2 = (n - dealer.colourStep1) % 6;
    dealer.shape = n % 8;
    dealer.shapeStep = (n / 8) % 8;
    dealer.column = n % 4 + kLowestBaseColumn;
    dealer.columnStep = (n / 4) % 4;
}

void stepDealer(PieceDealer& dealer) {
    dealer.colourBase = colourOf(dealer.colourBase, dealer.colourStep1);
    dealer.shape = advance(dealer.shape, dealer.shapeStep, kShapeCount);
    dealer.column += dealer.columnStep;
    if (dealer.column > kHighestBaseColumn)
        dealer.column -= kColumnSteps;
    dealer.colourStep1 = advance(dealer.colourStep1, 1, kColours);
    dealer.colourStep2 = advance(dealer.colourStep2, 1, kColours);
    dealer.shapeStep = advance(dealer.shapeStep, 1, kShapeCount);
    dealer.columnStep = advance(dealer.columnStep, 1, kColumnSteps);
}

Piece pieceOf(const PieceDealer& dealer) {
    const int32_t values[3] = {dealer.colourBase, colourOf(dealer.colourBase, dealer.colourStep1),
                               colourOf(dealer.colourBase, dealer.colourStep2)};
    Piece piece;
    for (int i = 0; i < 3; ++i) {
        const ShapeBlock& start = kShapes[dealer.shape][i];
        piece.blocks[i] = Block{dealer.column + start.column, start.row, values[i]};
    }
    return piece;
}

void resetGame(GameState& state, int32_t seed) {
    state = GameState{};
    seedDealer(state.dealer, seed);
    state.current = pieceOf(state.dealer);
    for (int column = 0; column < kColumns; ++column) {
        for (int row = kTopRow; row <= kBottomRow; ++row)
            state.board.at(column, row) = EMPTY;
        state.board.at(column, kFloorRow) = FLOOR;
    }
    state.clearMarks.keepAll();
}

void dealNext(GameState& state) {
    stepDealer(state.dealer);
    state.next = pieceOf(state.dealer);
    if (state.progress > state.greyThreshold) {
        state.greyThreshold += kGreyEvery;
        for (Block& block : state.next.blocks)
            block.value = GREY;
    }
}
