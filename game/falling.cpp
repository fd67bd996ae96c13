#include "game/falling.h"

namespace {

// Whether a block may take one step sideways: free beside it, and above that.
bool mayStep(const Board& board, int column, int row, int direction) {
    return board.isFree(column + direction, row) && board.isFree(column + direction, row - 1);
}

}  // namespace

LandingResult landingTest(const GameState& state) {
    const Board& board = state.board;
    const auto& blocks = state.current.blocks;
    for (int i : kTestOrder) {
        if (blocks[i].row == kTopRow && board.at(blocks[i].column, kTopRow + 1) != EMPTY)
            return kOverflowed;
    }
    // Blocks still above the board are never tested; the floor row lands the bottom row.
    for (int i : kTestOrder) {
        if (blocks[i].row > kTopRow && board.at(blocks[i].column, blocks[i].row + 1) != EMPTY)
            return kLanded;
    }
    return kMayFall;
}

bool movePieceSideways(GameState& state, int direction) {
    for (const Block& block : state.current.blocks) {
        if (!mayStep(state.board, block.column, block.row, direction))
            return false;
    }
    for (Block& block : state.current.blocks)
        block.column += direction;
    return true;
}

void rotateColours(Piece& piece) {
    auto& blocks = piece.blocks;
    const int32_t first = blocks[0].value;
    blocks[0].value = blocks[1].value;
    blocks[1].value = blocks[2].value;
    blocks[2].value = first;
}

void fallOneRow(Piece& piece) {
    for (Block& block : piece.blocks)
        ++block.row;
}

bool moveSpecialSideways(GameState& state, int direction) {
    Special& special = state.special;
    if (!mayStep(state.board, special.column, special.row, direction))
        return false;
    special.column += direction;
    return true;
}

bool specialMayFall(const GameState& state) {
    return state.board.isFree(state.special.column, state.special.row + 1);
}

LandingResult dropPiece(GameState& state) {
    for (;;) {
        const LandingResult landing = landingTest(state);
        if (landing != kMayFall)
            return landing;
        fallOneRow(state.current);
    }
}

void dropSpecial(GameState& state) {
    while (specialMayFall(state))
        ++state.special.row;
}
