// Landing, matching, clearing, gravity and chains: the rules on a board of their own, and the
// routines that show each stage with its one-second pause.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/dealer.h"
#include "game/matching.h"
#include "game/routines.h"
#include "game/scoring.h"
#include "tests/support/game_board.h"
#include "tests/support/game_session.h"

namespace {

// The rules alone, on a board that starts empty.
class Lines : public ::testing::Test {
protected:
    void SetUp() override { resetGame(state, 0); }

    void listCells(const std::vector<CheckEntry>& cells) {
        std::copy(cells.begin(), cells.end(), state.checkList.begin());
    }

    // One pass's marking and clearing through the listed cells; returns the points it scored.
    int clearThrough(const std::vector<CheckEntry>& cells) {
        listCells(cells);
        const int32_t before = state.progress;
        markLines(state);
        clearMarked(state);
        return (state.progress - before) / 2;
    }

    int checkListLength() const {
        return static_cast<int>(std::count_if(state.checkList.begin(), state.checkList.end(),
                                              [](CheckEntry entry) { return entry.row != 0; }));
    }

    GameState state;
};

TEST_F(Lines, FourInALineClearForFourPoints) {
    setRows(state.board, 18, {"RRRRG...."});
    EXPECT_EQ(clearThrough({{1, 18}}), 4);
    EXPECT_EQ(rowsOf(state.board, 18, 18), Rows{"....G...."});
    EXPECT_EQ(state.scoreDigits, (std::array<int32_t, 4>{'0', '0', '0', '4'}));
}

// Named by the cell listed.
struct LCase : Described {
    CheckEntry cell;
    int points;
    Rows left;
};

class LOfFive : public Lines, public ::testing::WithParamInterface<LCase> {};

TEST_P(LOfFive, OnlyTheLinesThroughListedCellsClear) {
    setRows(state.board, 18, {"R........", "R........", "RRR......"});
    EXPECT_EQ(clearThrough({GetParam().cell}), GetParam().points);
    EXPECT_EQ(rowsOf(state.board, 16, 18), GetParam().left);
}

INSTANTIATE_TEST_SUITE_P(
    Corner, LOfFive,
    ::testing::Values(
        LCase{{"the corner"}, {0, 18}, 5, {".........", ".........", "........."}},
        LCase{{"the end of the row"}, {2, 18}, 3, {"R........", "R........", "........."}},
        LCase{{"the top of the column"}, {0, 16}, 3, {".........", ".........", ".RR......"}}));

TEST_F(Lines, GreyBlocksNeitherFormNorJoinALine) {
    setRows(state.board, 18, {"#..", "#..", "###RR#RR."});
    listCells({{0, 16}, {1, 18}, {3, 18}, {7, 18}});
    EXPECT_FALSE(markLines(state));
    EXPECT_EQ(checkListLength(), 0);
}

TEST_F(Lines, DiagonalsClearInBothDirectionsUpToTheEdgesOfTheWell) {
    setRows(state.board, 18, {"B.B.....Y", "PBP....Y.", "B.B...Y.."});
    EXPECT_EQ(clearThrough({{1, 17}, {6, 18}}), 8);
    EXPECT_EQ(rowsOf(state.board, 16, 18), (Rows{".........", "P.P......", "........."}));
}

TEST_F(Lines, ARowZeroBlockCountsTowardsALineButOnlyRowsOneToEighteenClear) {
    setRows(state.board, 2, {"..G..R...", "...G.R...", "....GR..."});
    EXPECT_EQ(clearThrough({{4, 2}, {5, 1}}), 4);
    EXPECT_EQ(rowsOf(state.board, 0, 2), (Rows{"..G..R...", ".........", "........."}));
}

TEST_F(Lines, TheListEndsAtItsFirstEntryInRowZero) {
    setRows(state.board, 18, {"RRR......"});
    listCells({{4, 0}, {1, 18}});
    EXPECT_FALSE(markLines(state));
    EXPECT_EQ(checkListLength(), 0);
}

TEST_F(Lines, GravityAfterAFullRowMovesAllOneHundredFiftyThreeBlocksIntoTheList) {
    for (int column = 0; column < kColumns; ++column)
        fillColumn(state.board, column, 1, 17, GREY);
    setRows(state.board, 18, {"RRRRRRRRR"});
    EXPECT_EQ(clearThrough({{4, 18}}), 9);
    const Gravity gravity = applyGravity(state);
    EXPECT_EQ(gravity.falls.size(), 153u);
    EXPECT_EQ(checkListLength(), 153);
    EXPECT_EQ(rowsOf(state.board, 1, 1), Rows{"........."});
    EXPECT_EQ(rowsOf(state.board, 2, 18), Rows(17, "#########"));
    EXPECT_FALSE(markLines(state));
    EXPECT_EQ(checkListLength(), 0);
}

TEST(Points, EachPointCarriesThroughTheDigitsAndMovesProgressOnByTwo) {
    GameState state;
    resetGame(state, 0);
    const struct {
        int points;
        const char* digits;
    } steps[] = {{9, "0009"}, {1, "0010"}, {89, "0099"}, {1, "0100"}, {900, "1000"}};
    int total = 0;
    for (const auto& step : steps) {
        for (int i = 0; i < step.points; ++i)
            addPoint(state);
        total += step.points;
        const std::string shown(state.scoreDigits.begin(), state.scoreDigits.end());
        EXPECT_EQ(shown, step.digits);
        EXPECT_EQ(state.progress, 2 * total - 7);
    }
}

TEST_F(Lines, APieceSplitsOnLandingEachBlockFallingAsFarAsItCan) {
    setRows(state.board, 18, {"...Y....."});
    state.current = makePiece({2, 10, RED}, {3, 10, GREEN}, {4, 10, BLUE});
    EXPECT_TRUE(settle(state));
    EXPECT_EQ(rowsOf(state.board, 17, 18), (Rows{"...G.....", "..RYB...."}));
    EXPECT_EQ(state.checkList[0].row, 18);
    EXPECT_EQ(state.checkList[1].row, 17);
    EXPECT_EQ(state.checkList[2].row, 18);

    // A vertical piece stays whole: its lowest block goes first and the others rest on it.
    state.current = makePiece({7, 4, RED}, {7, 5, GREEN}, {7, 6, BLUE});
    EXPECT_TRUE(settle(state));
    EXPECT_EQ(rowsOf(state.board, 16, 18), (Rows{".......R.", "...G...G.", "..RYB..B."}));
}

// The routines: a landed piece settles, then lines clear with the pauses the player sees.
class Clearing : public GameSession {
protected:
    void SetUp() override {
        GameSession::SetUp();
        startGame();
    }

    // Settles the piece and resolves what it completes, keeping every frame shown meanwhile.
    std::vector<Frame> land(const Piece& piece) {
        game().current = piece;
        FrameWatch watch;
        settlePiece();
        resolveMatches();
        return watch.frames();
    }

    // Between landings nothing is left to test: every entry is (0, 0).
    static void expectCheckListEmpty() {
        for (const CheckEntry& entry : game().checkList)
            EXPECT_TRUE(entry.column == 0 && entry.row == 0) << entry.column << ", " << entry.row;
    }
};

// A pause between two stages; the clock readings around it cost a few microseconds each.
constexpr double kPauseMs = 1000 - 0.1;

// The first frame that passes the test, or null.
const Frame* firstFrame(const std::vector<Frame>& frames,
                        const std::function<bool(const Frame&)>& test) {
    const auto found = std::find_if(frames.begin(), frames.end(), test);
    return found == frames.end() ? nullptr : &*found;
}

bool showsScore(const Frame& frame, const char* ones) {
    return hasText(frame, 392, 410, ones, kWhite);
}

bool cellsShow(const Frame& frame, const std::vector<CheckEntry>& cells, RGBVAL colour) {
    return std::all_of(cells.begin(), cells.end(), [&](CheckEntry cell) {
        return isFilled(frame, cellRect(cell.column, cell.row), colour);
    });
}

TEST_F(Clearing, ThreeRedsOnTheBottomRowShowBlackForASecondBeforeTheScoreShowsThree) {
    const std::vector<CheckEntry> row = {{3, 18}, {4, 18}, {5, 18}};
    const std::vector<Frame> frames = land(makePiece({3, 18, RED}, {4, 18, RED}, {5, 18, RED}));

    EXPECT_EQ(rowsOf(game().board, 18, 18), Rows{"........."});
    EXPECT_EQ(game().progress, -1);
    const Frame* red = firstFrame(frames, [&](const Frame& f) { return cellsShow(f, row, kRed); });
    const Frame* three = firstFrame(frames, [](const Frame& f) { return showsScore(f, "3"); });
    ASSERT_NE(red, nullptr);
    ASSERT_NE(three, nullptr);
    const Frame* black = firstFrame(
        frames, [&](const Frame& f) { return f.atMs > red->atMs && cellsShow(f, row, kBlack); });
    ASSERT_NE(black, nullptr);
    EXPECT_GE(three->atMs - black->atMs, kPauseMs);
    for (const Frame& frame : frames) {
        const bool inThePause = frame.atMs >= black->atMs && frame.atMs < three->atMs;
        EXPECT_FALSE(inThePause && showsScore(frame, "3")) << "at " << frame.atMs;
    }
}

TEST_F(Clearing, BlocksAboveFallIntoTheGapAndANewLineClearsInASecondPassWithItsOwnPause) {
    setUpWell(18, {"G........", "G........", "RR.......", "GBY......"});
    const std::vector<Frame> frames =
        land(makePiece({2, 15, ORANGE}, {2, 16, PURPLE}, {2, 17, RED}));

    EXPECT_EQ(rowsOf(game().board, 15, 18),
              (Rows{".........", "..O......", "..P......", ".BY......"}));
    EXPECT_EQ(game().progress, 5);
    EXPECT_EQ(game().savedScore, (std::array<char, 4>{'0', '0', '0', '6'}));
    EXPECT_EQ(game().checkList[0].row, 0);
    const Frame* three = firstFrame(frames, [](const Frame& f) { return showsScore(f, "3"); });
    const Frame* six = firstFrame(frames, [](const Frame& f) { return showsScore(f, "6"); });
    ASSERT_NE(three, nullptr);
    ASSERT_NE(six, nullptr);
    // The fallen greens show, then their line shows black for a second, then the score changes.
    EXPECT_TRUE(cellsShow(*three, {{0, 16}, {0, 17}, {0, 18}}, kGreen));
    EXPECT_GE(six->atMs - three->atMs, 2 * kPauseMs);
    EXPECT_NE(firstFrame(frames,
                         [&](const Frame& f) {
                             return f.atMs > three->atMs && f.atMs <= six->atMs - 1000 &&
                                    cellsShow(f, {{0, 16}, {0, 17}, {0, 18}}, kBlack);
                         }),
              nullptr);
    EXPECT_TRUE(cellsShow(frames.back(), {{2, 16}}, cellColour(ORANGE)));
    EXPECT_TRUE(cellsShow(frames.back(), {{2, 15}, {0, 18}}, kBlack));
}

TEST_F(Clearing, AnAllRedVerticalPieceWithItsTopBlockInRowZeroTestsNoLine) {
    fillColumn(game().board, 4, 3, 18, GREY);
    land(makePiece({4, 0, RED}, {4, 1, RED}, {4, 2, RED}));
    EXPECT_EQ(rowsOf(game().board, 0, 2), (Rows{"....R....", "....R....", "....R...."}));
    EXPECT_EQ(game().progress, -7);
    expectCheckListEmpty();
}

TEST_F(Clearing, WhenTheMiddleBlockRestsInRowZeroOnlyTheFirstIsTestedNowOrInTheChain) {
    // b0 completes the reds of row 18. b2 would complete the greens of row 1, but the list ends
    // at b1 in row 0; and when two yellows fall after the reds clear, only they are tested.
    fillColumn(game().board, 5, 2, 18, GREY);
    setRows(game().board, 1, {"......GG."});
    setRows(game().board, 18, {"..YY.#...", "..RR.#..."});
    land(makePiece({4, 0, RED}, {5, 0, BLUE}, {5, 1, GREEN}));

    EXPECT_EQ(rowsOf(game().board, 0, 1), (Rows{".....B...", ".....GGG."}));
    EXPECT_EQ(rowsOf(game().board, 17, 18), (Rows{".....#...", "..YY.#..."}));
    EXPECT_EQ(game().progress, -1);
    expectCheckListEmpty();
}

class VerticalPieceInPlay : public GameSession {};

TEST_F(VerticalPieceInPlay, ThreeEqualColoursLandingInsideTheWellClearThemselves) {
    // 36 menu frames deal an all-red vertical piece first, in column 2.
    menuFrames() = 36;
    FrameWatch watch([kept = false](const Frame& f) mutable {
        return !kept && (kept = !isFilled(f, {392, 410, 404, 434}, kBlack));
    });
    runWithKeys({{150, "s"}, {5500, "q"}}, playGame);
    EXPECT_EQ(rowsOf(game().board, 16, 18), Rows(3, "........."));
    EXPECT_EQ(game().progress, -1);
    EXPECT_EQ(game().savedScore, (std::array<char, 4>{'0', '0', '0', '3'}));
    ASSERT_EQ(watch.frames().size(), 1u);
    EXPECT_TRUE(showsScore(watch.frames()[0], "3"));
}

}  // namespace
