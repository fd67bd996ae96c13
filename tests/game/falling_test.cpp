// A falling piece and a falling special block: the keys that move, rotate, drop and quit, read
// one per step, and the ways a game ends while a piece falls.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "game/routines.h"
#include "tests/support/game_board.h"
#include "tests/support/game_session.h"

namespace {

using Cells = std::vector<std::pair<int, int>>;  // (column, row) of blocks in the way

class FallKeys : public GameSession {
protected:
    void SetUp() override {
        GameSession::SetUp();
        startGame();
    }

    void putGreys(const Cells& cells) {
        for (const auto& [column, row] : cells)
            game().board.at(column, row) = GREY;
    }

    int readFallKeyAfter(const char* keysym) {
        pressNow(keysym);
        return readFallKey();
    }
};

const Piece kVerticalRGB = makePiece({4, 5, RED}, {4, 6, GREEN}, {4, 7, BLUE});

struct SidewaysCase : Described {
    Piece piece;
    Cells taken;
    const char* keysym;
    int moved;  // columns the piece moves
};

class Sideways : public FallKeys, public ::testing::WithParamInterface<SidewaysCase> {};

TEST_P(Sideways, AMoveNeedsTheCellsBesideEveryBlockAndAboveThatFree) {
    const SidewaysCase& sideways = GetParam();
    game().current = sideways.piece;
    putGreys(sideways.taken);
    EXPECT_EQ(readFallKeyAfter(sideways.keysym), 0);
    EXPECT_EQ(game().current, shifted(sideways.piece, sideways.moved, 0));
}

const Piece kVerticalAt0 = makePiece({0, 5, RED}, {0, 6, GREEN}, {0, 7, BLUE});
const Piece kVerticalAt8 = makePiece({8, 5, RED}, {8, 6, GREEN}, {8, 7, BLUE});
const Piece kCornerAt8 = makePiece({8, 5, RED}, {7, 6, GREEN}, {8, 6, BLUE});
const Piece kHorizontalInRow0 = makePiece({3, 0, RED}, {4, 0, GREEN}, {5, 0, BLUE});
const Piece kHorizontalInRow1 = makePiece({3, 1, RED}, {4, 1, GREEN}, {5, 1, BLUE});

INSTANTIATE_TEST_SUITE_P(
    Blocks, Sideways,
    ::testing::Values(SidewaysCase{{"column 0"}, kVerticalAt0, {}, "a", 0},
                      SidewaysCase{{"column 0"}, kVerticalAt0, {}, "d", 1},
                      SidewaysCase{{"column 8"}, kVerticalAt8, {}, "d", 0},
                      SidewaysCase{{"column 8"}, kVerticalAt8, {}, "a", -1},
                      SidewaysCase{{"one block in column 8"}, kCornerAt8, {}, "d", 0},
                      SidewaysCase{{"row 0"}, kHorizontalInRow0, {}, "a", 0},
                      SidewaysCase{{"row 0"}, kHorizontalInRow0, {}, "d", 0},
                      SidewaysCase{{"row 1"}, kHorizontalInRow1, {}, "a", -1},
                      SidewaysCase{{"block beside"}, kVerticalRGB, {{3, 7}}, "a", 0},
                      SidewaysCase{{"block beside, a row higher"}, kVerticalRGB, {{3, 4}}, "a", 0},
                      SidewaysCase{{"block beside, a row lower"}, kVerticalRGB, {{5, 8}}, "d", 1},
                      SidewaysCase{{"block two columns away"}, kVerticalRGB, {{6, 6}}, "d", 1}));

// Named by the X name of its key.
struct KeyCase : Described {
    int result;
    Piece after;
};

class OtherKeys : public FallKeys, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(OtherKeys, OnlyLowerCaseLettersAndTheFunctionKeysWithTheirLowBytesAct) {
    const KeyCase& key = GetParam();
    game().current = kVerticalRGB;
    EXPECT_EQ(readFallKeyAfter(key.what), key.result);
    EXPECT_EQ(game().current, key.after);
}

const Piece kRotated = makePiece({4, 5, GREEN}, {4, 6, BLUE}, {4, 7, RED});
const Piece kDropped = shifted(kVerticalRGB, 0, 11);

INSTANTIATE_TEST_SUITE_P(
    FallingPiece, OtherKeys,
    ::testing::Values(KeyCase{{"w"}, 0, kRotated}, KeyCase{{"F8"}, 0, kRotated},
                      KeyCase{{"s"}, 1, kDropped}, KeyCase{{"F4"}, 1, kDropped},
                      KeyCase{{"q"}, 3, kVerticalRGB}, KeyCase{{"F2"}, 3, kVerticalRGB},
                      KeyCase{{"A"}, 0, kVerticalRGB}, KeyCase{{"D"}, 0, kVerticalRGB},
                      KeyCase{{"W"}, 0, kVerticalRGB}, KeyCase{{"S"}, 0, kVerticalRGB},
                      KeyCase{{"Q"}, 0, kVerticalRGB}, KeyCase{{"Left"}, 0, kVerticalRGB},
                      KeyCase{{"x"}, 0, kVerticalRGB}));

TEST_F(FallKeys, ADropFromABlockedRowZeroShowsTheGameOverScreenAndReportsIt) {
    // A corner whose upper left block has just entered row 0 above a taken cell.
    game().current = makePiece({4, 0, RED}, {5, 0, GREEN}, {5, 1, BLUE});
    putGreys({{4, 1}});
    pressNow("s");
    press(now() + 200, "space");
    FrameWatch watch(looksLikeGameOver);
    int result = -1;
    runScripted([&] { result = readFallKey(); });
    EXPECT_EQ(result, 2);
    EXPECT_FALSE(watch.frames().empty());
}

TEST_F(FallKeys, NothingWaitingIsNothingToDo) {
    game().current = kVerticalRGB;
    EXPECT_EQ(readFallKey(), 0);
    EXPECT_EQ(readSpecialKey(), 0);
    EXPECT_EQ(game().current, kVerticalRGB);
}

struct SpecialKeyCase : Described {
    Special at;
    Cells taken;
    const char* keysym;
    int result;
    Special after;
};

class SpecialKeys : public FallKeys, public ::testing::WithParamInterface<SpecialKeyCase> {};

TEST_P(SpecialKeys, ASpecialBlockMovesAsAPieceDoesAndIgnoresW) {
    const SpecialKeyCase& key = GetParam();
    game().special = key.at;
    putGreys(key.taken);
    pressNow(key.keysym);
    EXPECT_EQ(readSpecialKey(), key.result);
    EXPECT_EQ(game().special.column, key.after.column);
    EXPECT_EQ(game().special.row, key.after.row);
}

INSTANTIATE_TEST_SUITE_P(
    FallingSpecial, SpecialKeys,
    ::testing::Values(SpecialKeyCase{{"column 0"}, {0, 5}, {}, "a", 0, {0, 5}},
                      SpecialKeyCase{{"column 8"}, {8, 5}, {}, "d", 0, {8, 5}},
                      SpecialKeyCase{{"free"}, {4, 5}, {}, "a", 0, {3, 5}},
                      SpecialKeyCase{{"free"}, {4, 5}, {}, "d", 0, {5, 5}},
                      SpecialKeyCase{{"block beside"}, {4, 5}, {{3, 5}}, "a", 0, {4, 5}},
                      SpecialKeyCase{{"block a row higher"}, {4, 5}, {{5, 4}}, "d", 0, {4, 5}},
                      SpecialKeyCase{{"block a row lower"}, {4, 5}, {{3, 6}}, "a", 0, {3, 5}},
                      SpecialKeyCase{{"row 1"}, {4, 1}, {}, "a", 0, {3, 1}},
                      SpecialKeyCase{{"drop"}, {4, 5}, {{4, 12}}, "s", 1, {4, 11}},
                      SpecialKeyCase{{"drop"}, {4, 5}, {}, "F4", 1, {4, 18}},
                      SpecialKeyCase{{"rotate"}, {4, 5}, {}, "w", 0, {4, 5}},
                      SpecialKeyCase{{"quit"}, {4, 5}, {}, "q", 3, {4, 5}},
                      SpecialKeyCase{{"quit"}, {4, 5}, {}, "F2", 3, {4, 5}}));

// Pieces that 4, 6, 0 and 1234 menu frames deal, at their spawn positions.
const Piece kVerticalOf4 = makePiece({2, -2, ORANGE}, {2, -1, ORANGE}, {2, 0, BLUE});
const Piece kHorizontalOf6 = makePiece({3, 0, RED}, {4, 0, GREEN}, {5, 0, PURPLE});
const Piece kSecondOf6 = makePiece({4, 0, GREEN}, {5, 0, YELLOW}, {6, 0, GREEN});
const Piece kCornerOf0 = makePiece({3, -1, RED}, {2, 0, RED}, {3, 0, RED});
const Piece kCornerOf1234 = makePiece({4, -1, ORANGE}, {5, -1, PURPLE}, {5, 0, GREEN});
const Piece kVerticalOf1234 = makePiece({4, -2, PURPLE}, {4, -1, GREEN}, {4, 0, YELLOW});

// A game after `seed` menu frames, watched for the game-over screen. A change at the first
// frame happens during the first piece's first row.
class InPlay : public GameSession {
protected:
    void play(int32_t seed, const std::vector<TimedKey>& keys,
              FrameWatch::Change atFirstFrame = {}) {
        menuFrames() = seed;
        FrameWatch watch(looksLikeGameOver, std::move(atFirstFrame));
        runWithKeys(keys, playGame);
        gameOverShown = !watch.frames().empty();
    }

    void expectQuitToAnEmptyPage() {
        EXPECT_FALSE(gameOverShown);
        EXPECT_TRUE(filledWith(pageNow(), {0, 0, 480, 640}, kBlack));
    }

    bool gameOverShown = false;
};

struct InPlayCase : Described {
    int32_t seed;
    std::vector<TimedKey> keys;
    Piece whenQuit;
};

class SidewaysInPlay : public InPlay, public ::testing::WithParamInterface<InPlayCase> {};

// A row takes ten 60 ms steps; keys are read one per step.
TEST_P(SidewaysInPlay, APieceFirstMovesOnceNoBlockIsInRowZeroOrAbove) {
    const InPlayCase& inPlay = GetParam();
    play(inPlay.seed, inPlay.keys);
    EXPECT_EQ(game().current, inPlay.whenQuit);
    expectQuitToAnEmptyPage();
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, SidewaysInPlay,
    ::testing::Values(InPlayCase{{"vertical: rows 1 and 2 refuse, row 3 moves"},
                                 4,
                                 {{150, "d"}, {800, "d"}, {1400, "d"}, {1600, "q"}},
                                 shifted(kVerticalOf4, 1, 3)},
                      InPlayCase{{"corner: row 1 refuses, row 2 moves"},
                                 0,
                                 {{150, "a"}, {800, "a"}, {1000, "q"}},
                                 shifted(kCornerOf0, -1, 2)},
                      InPlayCase{{"horizontal: moves at once"},
                                 6,
                                 {{150, "a"}, {300, "q"}},
                                 shifted(kHorizontalOf6, -1, 1)},
                      InPlayCase{
                          {"upper case does nothing"},
                          6,
                          {{150, "A"}, {250, "D"}, {350, "W"}, {450, "S"}, {550, "Q"}, {700, "q"}},
                          shifted(kHorizontalOf6, 0, 2)}));

TEST_F(InPlay, FunctionKeysWithTheLowBytesOfWSAndQRotateDropAndQuit) {
    play(6, {{150, "F8"}, {250, "F4"}, {3600, "F2"}});
    EXPECT_EQ(rowsOf(game().board, 18, 18), Rows{"...GPR..."});
    EXPECT_EQ(game().current, shifted(kSecondOf6, 0, 1));
    expectQuitToAnEmptyPage();
}

TEST_F(InPlay, AKeyTypedDuringTheLandingPausesIsStaleAndThePieceWaitsForAFreshOne) {
    // The first piece drops and lands; 'a' is typed in the pauses that follow and is more than a
    // second old when the next piece reads it. That piece then stands in its first row until 'd'.
    play(6, {{150, "s"}, {1500, "a"}, {5000, "d"}, {5300, "q"}});
    EXPECT_EQ(game().current, shifted(kSecondOf6, 1, 1));
    expectQuitToAnEmptyPage();
}

TEST_F(InPlay, APieceSpawningOnATakenCellEndsTheGameBeforeItMoves) {
    // Greys fill column 4 from row 2 while the first piece falls; it comes to rest with its left
    // block in row 1, right under where the next, vertical piece spawns.
    const double start = now();
    play(1234, {{6000, "space"}},
         [](GameState& state) { fillColumn(state.board, 4, 2, 18, GREY); });
    EXPECT_TRUE(gameOverShown);
    EXPECT_GE(now(), start + 6000);
    EXPECT_EQ(game().current, kVerticalOf1234);
    EXPECT_EQ(rowsOf(game().board, 0, 2), (Rows{".........", "....O....", "....#...."}));
}

TEST_F(InPlay, ADropFromABlockedRowZeroShowsTheGameOverScreenOnce) {
    // The first piece's upper left block has entered row 0 above a grey. A second game-over
    // screen would take the second space.
    const double start = now();
    play(1234, {{150, "s"}, {1000, "space"}, {2000, "space"}},
         [](GameState& state) { state.board.at(4, 1) = GREY; });
    EXPECT_TRUE(gameOverShown);
    EXPECT_GE(now(), start + 1000);
    EXPECT_LT(now(), start + 2000);
    EXPECT_EQ(game().current, shifted(kCornerOf1234, 0, 1));
}

TEST_F(InPlay, AVerticalPieceLandingWithItsLowestBlockInRowOneOverflowsTheWell) {
    // The first piece, vertical, lands on greys in its second row.
    play(4, {{4000, "space"}}, [](GameState& state) { fillColumn(state.board, 2, 2, 18, GREY); });
    EXPECT_TRUE(gameOverShown);
    // Its top block has no cell: nothing is written above row 0, nor into the column before.
    Rows expected(20, ".........");
    expected[0] = "..O......";
    expected[1] = "..B......";
    for (int row = 2; row <= 18; ++row)
        expected[row] = "..#......";
    expected[19] = "_________";
    EXPECT_EQ(rowsOf(game().board, 0, 19), expected);
}

}  // namespace
