// The dealer: which pieces a game deals, seeded by the menu frames, shown in the preview box, and
// grey once progress passes its threshold.
#include <gtest/gtest.h>

#include <vector>

#include "game/dealer.h"
#include "game/routines.h"
#include "tests/support/game_board.h"
#include "tests/support/game_session.h"

namespace {

// One block of the preview box: its top-left corner and colour.
struct PreviewBlock {
    int left;
    int top;
    Cell value;
};

struct WorkedExample : Described {
    int32_t menuFrames;
    Piece first;  // at its spawn position
    Piece next1;  // the next pieces as dealt, before they fall
    Piece next2;
    Piece next3;
    std::vector<PreviewBlock> preview1;  // how the preview box shows next1
    Rows wellAfterTwoDrops;              // rows 15..18
};

// The first two pieces dropped at once, the third quit during its first row.
const std::vector<TimedKey> kDropDropQuit = {{150, "s"}, {3400, "s"}, {6700, "q"}};

class Dealer : public GameSession, public ::testing::WithParamInterface<WorkedExample> {};

TEST_P(Dealer, AGameDealsTheWorkedExampleEveryTimeFromTheSameMenuFrames) {
    const WorkedExample& example = GetParam();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "first game" : "second game");
        menuFrames() = example.menuFrames;
        Piece falling;
        FrameWatch watch([kept = false](const Frame&) mutable { return !kept && (kept = true); },
                         [&falling](GameState& state) { falling = state.current; });
        runWithKeys(kDropDropQuit, playGame);

        // The first piece falls one row before its first step is shown.
        EXPECT_EQ(falling, shifted(example.first, 0, 1));
        const GameState& state = game();
        EXPECT_EQ(rowsOf(state.board, 15, 18), example.wellAfterTwoDrops);
        EXPECT_EQ(rowsOf(state.board, 0, 14), Rows(15, "........."));
        const int fallen = state.current.blocks[0].row - example.next2.blocks[0].row;
        EXPECT_EQ(state.current, shifted(example.next2, 0, fallen));
        EXPECT_EQ(state.next, example.next3);
        ASSERT_EQ(watch.frames().size(), 1u);
        for (const PreviewBlock& block : example.preview1) {
            EXPECT_TRUE(filledWith(watch.frames()[0],
                                   {block.left, block.top, block.left + 30, block.top + 30},
                                   cellColour(block.value)));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    MenuFrames, Dealer,
    ::testing::Values(WorkedExample{{"0 menu frames"},
                                    0,
                                    makePiece({3, -1, RED}, {2, 0, RED}, {3, 0, RED}),
                                    makePiece({3, -1, RED}, {2, 0, GREEN}, {3, 0, GREEN}),
                                    makePiece({3, -1, GREEN}, {3, 0, YELLOW}, {4, 0, YELLOW}),
                                    makePiece({5, -1, YELLOW}, {6, -1, RED}, {5, 0, RED}),
                                    {{380, 112, RED}, {350, 142, GREEN}, {380, 142, GREEN}},
                                    {"...R.....", "...G.....", "..GR.....", "..RR....."}},
                      WorkedExample{{"1234 menu frames"},
                                    1234,
                                    makePiece({4, -1, ORANGE}, {5, -1, PURPLE}, {5, 0, GREEN}),
                                    makePiece({4, -2, PURPLE}, {4, -1, GREEN}, {4, 0, YELLOW}),
                                    makePiece({5, 0, GREEN}, {6, 0, ORANGE}, {7, 0, RED}),
                                    makePiece({3, -1, ORANGE}, {4, -1, BLUE}, {3, 0, ORANGE}),
                                    {{365, 96, PURPLE}, {365, 126, GREEN}, {365, 156, YELLOW}},
                                    {"....P....", "....G....", "....YP...", "....OG..."}}));

TEST(GreyPieces, ANextPieceIsGreyExactlyWhenProgressHasPassedTheThreshold) {
    GameState state;
    resetGame(state, 0);
    for (const Block& block : state.current.blocks)
        EXPECT_NE(block.value, GREY);

    const struct {
        int32_t progress;
        bool grey;
        int32_t thresholdAfter;
    } steps[] = {
        {83, false, 83}, {85, true, 143}, {87, false, 143}, {143, false, 143}, {145, true, 203}};
    for (const auto& step : steps) {
        state.progress = step.progress;
        dealNext(state);
        for (const Block& block : state.next.blocks)
            EXPECT_EQ(block.value == GREY, step.grey) << "progress " << step.progress;
        EXPECT_EQ(state.greyThreshold, step.thresholdAfter);
    }
}

using GameStart = GameSession;

TEST_F(GameStart, ResetsEverythingButTheMenuFramesAndShowsAGreyNextPieceGrey) {
    menuFrames() = 4;  // the next piece is vertical
    startGame();
    GameState& state = game();
    fillColumn(state.board, 4, 1, 18, RED);
    state.progress = 85;
    state.scoreDigits = {'0', '0', '4', '6'};
    state.savedScore = {'0', '0', '4', '6'};
    state.fallDelay = 30;
    state.checkList[0] = CheckEntry{4, 18};
    dealNextPiece();
    EXPECT_TRUE(filledWith(pageNow(), {365, 96, 395, 186}, kGrey)) << "a vertical piece";

    menuFrames() = 17;
    startGame();
    EXPECT_EQ(menuFrames(), 17);
    EXPECT_EQ(rowsOf(state.board, 0, 19), [] {
        Rows rows(19, ".........");
        rows.push_back("_________");
        return rows;
    }());
    EXPECT_EQ(state.progress, -7);
    EXPECT_EQ(state.greyThreshold, 83);
    EXPECT_EQ(state.fallDelay, 60);
    EXPECT_EQ(state.scoreDigits, (std::array<int32_t, 4>{'0', '0', '0', '0'}));
    EXPECT_EQ(state.savedScore, (std::array<char, 4>{'0', '0', '0', '0'}));
    EXPECT_EQ(state.checkList[0].row, 0);
    EXPECT_EQ(state.specialIndex, 0);
    EXPECT_EQ(state.pendingSpecial, 0);
}

}  // namespace
