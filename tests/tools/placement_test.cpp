// The automatic player's choices finish the line the well offers.
#include <gtest/gtest.h>

#include "game/dealer.h"
#include "tools/replay/placement.h"

namespace {

// A fresh game whose bottom row holds red, red in columns 0 and 1.
GameState twoRedsBelow() {
    GameState state;
    resetGame(state, 0);
    state.board.at(0, kBottomRow) = RED;
    state.board.at(1, kBottomRow) = RED;
    return state;
}

TEST(AutoPlayerPlacement, MovesAPieceToCompleteALine) {
    GameState state = twoRedsBelow();
    // A vertical piece in column 4, red at its foot, the green and blue above it.
    state.current.blocks = {Block{4, -1, GREEN}, Block{4, 0, BLUE}, Block{4, 1, RED}};
    const replay::Placement placement = replay::choosePlacement(state);
    EXPECT_EQ(placement.rotations, 0);
    EXPECT_EQ(placement.shift, -2);
}

TEST(AutoPlayerPlacement, RotatesTheColoursWhenTheLineNeedsIt) {
    GameState state = twoRedsBelow();
    // Red on top, already in column 2: a rotation gives the foot the top's colour.
    state.current.blocks = {Block{2, -1, RED}, Block{2, 0, BLUE}, Block{2, 1, GREEN}};
    const replay::Placement placement = replay::choosePlacement(state);
    EXPECT_EQ(placement.rotations, 1);
    EXPECT_EQ(placement.shift, 0);
}

TEST(AutoPlayerPlacement, AWhiteFrameBecomesTheColourThatClears) {
    GameState state = twoRedsBelow();
    state.special = Special{2, kBottomRow};
    EXPECT_EQ(replay::chooseColour(state), RED);
}

}  // namespace
