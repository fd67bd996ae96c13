// Special blocks: what each kind does where it comes to rest, the colour chooser, the schedule
// that announces them, and their fall in a game.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/routines.h"
#include "game/scoring.h"
#include "game/texts.h"
#include "tests/support/game_board.h"
#include "tests/support/game_session.h"

namespace {

class SpecialEffect : public GameSession {
protected:
    void SetUp() override {
        GameSession::SetUp();
        startGame();
    }

    // The special block of this kind comes to rest at (column, row) and takes effect.
    static void applyAt(SpecialKind kind, int column, int row) {
        game().pendingSpecial = kind;
        game().special = Special{column, row};
        applySpecial();
    }

    static int pointsScored() { return (game().progress + 7) / 2; }
};

// Rows 9..18 of the well, the given ones at the bottom.
Rows well(const Rows& bottomRows) {
    return withEmptyAbove(10, bottomRows);
}

struct EffectCase : Described {
    SpecialKind kind;
    Special at;
    Rows before;  // rows 9..18
    Rows after;
    int points;
};

const EffectCase kSquareInColumn0{
    {"square in column 0"},
    WhiteSquare,
    {0, 16},
    well({"PP.......", "GGG......", ".RR......", ".BB......", "YYY......", "OOO......"}),
    well({"PP.......", "..G......", "..R......", "..B......", "..Y......", "OOO......"}),
    5};

// The same case with the well seen in a mirror: column c becomes column 8 - c.
EffectCase mirrored(EffectCase effect, const char* what) {
    effect.what = what;
    effect.at.column = kColumns - 1 - effect.at.column;
    for (Rows* rows : {&effect.before, &effect.after}) {
        for (std::string& row : *rows)
            std::reverse(row.begin(), row.end());
    }
    return effect;
}

class Effects : public SpecialEffect, public ::testing::WithParamInterface<EffectCase> {};

TEST_P(Effects, EmptyTheirCellsScoreAndLeaveTheRestHanging) {
    const EffectCase& effect = GetParam();
    setUpWell(18, effect.before);
    applyAt(effect.kind, effect.at.column, effect.at.row);
    EXPECT_EQ(rowsOf(game().board, 9, 18), effect.after);
    EXPECT_EQ(pointsScored(), effect.points);
    // What the well shows is what the board holds. A disc or ring of radius 15 reaches one
    // pixel past its cell, which erasing the cell leaves behind: only the cells' insides count.
    const Frame page = pageNow();
    for (int column = 0; column < kColumns; ++column) {
        for (int row = 9; row <= kBottomRow; ++row) {
            const Rect cell = cellRect(column, row);
            EXPECT_TRUE(filledWith(page,
                                   {cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1},
                                   cellColour(game().board.at(column, row))))
                << column << ", " << row;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Effects,
    ::testing::Values(EffectCase{{"disc on a column whose top block is in row 10"},
                                 WhiteDisc,
                                 {2, 9},
                                 well({"..R......", "..G......", "..B......", "..Y......",
                                       "..O......", "..P......", "..#......", "..R......",
                                       "RGG.....B"}),
                                 well({"RG......B"}),
                                 10},
                      EffectCase{{"disc on the bottom row"},
                                 WhiteDisc,
                                 {4, 18},
                                 well({"RGG.....B"}),
                                 well({"RGG.....B"}),
                                 1},
                      kSquareInColumn0, mirrored(kSquareInColumn0, "square in column 8"),
                      EffectCase{{"square on the bottom row"},
                                 WhiteSquare,
                                 {4, 18},
                                 well({"..RPPP...", "...GGG...", "...RRR...", "...B.B..."}),
                                 well({"..RPPP...", ".........", ".........", "........."}),
                                 6},
                      EffectCase{{"ring on the bottom row"},
                                 WhiteRing,
                                 {4, 18},
                                 well({"GG...GG.."}),
                                 well({"GG...GG.."}),
                                 1},
                      EffectCase{{"ring on grey"},
                                 WhiteRing,
                                 {5, 17},
                                 well({"#........", "#G#..#..."}),
                                 well({".G......."}),
                                 5},
                      EffectCase{{"ring on green: the reds fall into a line that clears in turn"},
                                 WhiteRing,
                                 {5, 17},
                                 well({".R.......", "RGR..G..."}),
                                 Rows(10, "........."),
                                 6}));

TEST_F(SpecialEffect, ARingRemovesItsColourFromRowsOneToEighteenOnly) {
    setUpWell(18, {"G........"});
    setRows(game().board, 0, {"......G.."});
    applyAt(WhiteRing, 0, 17);
    EXPECT_EQ(rowsOf(game().board, 0, 0), Rows{"......G.."});
    EXPECT_EQ(pointsScored(), 2);
}

TEST_F(SpecialEffect, ASpecialBlockPartlyAboveTheWellShowsOnlyInsideItAndKeepsTheTopLine) {
    setbrushcolor(kRed);
    fillbar(160, 0, 190, 48);
    drawSpecial(WhiteSquare, 4, 23);
    const Frame page = pageNow();
    EXPECT_TRUE(filledWith(page, {160, 0, 190, 23}, kRed));
    EXPECT_TRUE(filledWith(page, {160, 23, 190, 48}, kBlack));
    EXPECT_TRUE(filledWith(page, {160, 48, 190, 53}, kWhite));
    EXPECT_TRUE(filledWith(page, {160, 53, 190, 80}, kBlack));
}

// Keeps the frames that show the colour chooser's box.
bool showsChooser(const Frame& frame) {
    return isFilled(frame, {70, 120, 280, 123}, kWhite) &&
           isFilled(frame, {73, 123, 277, 125}, kBlack);
}

TEST_F(SpecialEffect, AFrameWaitsForALowerCaseColourKeyAndItsBlockThenClearsItsLine) {
    setUpWell(18, {"OO......."});
    // The chooser opens after the frame has been shown at rest for a second.
    const double start = now();
    press(start + 1100, "O");
    press(start + 1200, "x");
    press(start + 1300, "F5");
    press(start + 1400, "o");
    FrameWatch watch(showsChooser);
    runScripted([] { applyAt(WhiteFrame, 2, 18); });

    EXPECT_GE(now(), start + 1400);
    EXPECT_EQ(rowsOf(game().board, 18, 18), Rows{"........."});
    EXPECT_EQ(pointsScored(), 3) << "the frame itself earns nothing";
    ASSERT_FALSE(watch.frames().empty());
    // The chooser's texts come in the colour the level's texts were last drawn in: green.
    const Frame chooser = watch.frames().back();
    const char* const lines[] = {text::kChooseColour, text::kChooseRed,    text::kChooseGreen,
                                 text::kChooseBlue,   text::kChooseYellow, text::kChooseOrange,
                                 text::kChoosePurple};
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(showsText(chooser, 75, 125 + 29 * i, lines[i], kGreen)) << i;
    // The frame stays drawn where it rests: a white outline 4 pixels wide.
    EXPECT_TRUE(filledWith(chooser, {100, 560, 130, 564}, kWhite));
    EXPECT_TRUE(filledWith(chooser, {104, 564, 126, 586}, kBlack));
    // Repainting the well removed the box.
    EXPECT_TRUE(filledWith(pageNow(), {40, 50, 310, 590}, kBlack));
}

// Named by the X name of its key.
struct ChooserCase : Described {
    Cell colour;
};

class Chooser : public SpecialEffect, public ::testing::WithParamInterface<ChooserCase> {};

TEST_P(Chooser, EachColourKeyAndTheFunctionKeysWithTheirLowBytesPickAColour) {
    press(now() + 1100, "P");
    press(now() + 1200, GetParam().what);
    runScripted([] { applyAt(WhiteFrame, 4, 18); });
    EXPECT_EQ(game().board.at(4, 18), GetParam().colour);
    EXPECT_TRUE(filledWith(pageNow(), cellRect(4, 18), cellColour(GetParam().colour)));
}

INSTANTIATE_TEST_SUITE_P(Keys, Chooser,
                         ::testing::Values(ChooserCase{{"r"}, RED}, ChooserCase{{"g"}, GREEN},
                                           ChooserCase{{"b"}, BLUE}, ChooserCase{{"y"}, YELLOW},
                                           ChooserCase{{"o"}, ORANGE}, ChooserCase{{"p"}, PURPLE},
                                           ChooserCase{{"F1"}, PURPLE}, ChooserCase{{"F3"}, RED}));

TEST(SpecialSchedule, TheTableAnnouncesEachKindOnceProgressReachesItsEntry) {
    const struct {
        int32_t from;
        int32_t kind;
    } table[] = {{94, WhiteDisc},    {134, WhiteSquare}, {174, WhiteDisc},  {178, WhiteRing},
                 {214, WhiteSquare}, {274, WhiteDisc},   {314, WhiteFrame}, {344, WhiteRing},
                 {364, WhiteRing},   {390, WhiteFrame},  {414, WhiteDisc}};
    for (int32_t index = 0; index < 11; ++index) {
        // Progress is always odd; the entries are even.
        EXPECT_EQ(specialDue(table[index].from - 1, index), 0) << index;
        EXPECT_EQ(specialDue(table[index].from + 1, index), table[index].kind) << index;
        EXPECT_EQ(specialDue(431, index), table[index].kind) << index;
    }
    EXPECT_EQ(specialDue(431, 11), 0);
    EXPECT_EQ(specialDue(-7, 0), 0);
}

TEST(SpecialSchedule, FromProgress433OnlySquaresAndFramesComeOnePerPieceWhileProgressIsAhead) {
    EXPECT_EQ(specialDue(433, 11), 0);
    EXPECT_EQ(specialDue(433, 10), WhiteSquare);
    EXPECT_EQ(specialDue(435, 10), WhiteFrame);
    EXPECT_EQ(specialDue(465, 11), WhiteSquare);
    EXPECT_EQ(specialDue(467, 11), WhiteFrame);
    for (int32_t progress = 433; progress < 1200; progress += 2) {
        for (int32_t index = 0; index < 30; ++index) {
            const int32_t kind = specialDue(progress, index);
            EXPECT_TRUE(kind == 0 || kind == WhiteSquare || kind == WhiteFrame);
        }
    }
    // At progress 601 the specials 10 to 13 come one after another, then none.
    int32_t index = 10;
    while (specialDue(601, index) != 0)
        ++index;
    EXPECT_EQ(index, 14);
}

// Games from 0 menu frames: two corners in columns 2 and 3 come first. When the first piece shows,
// the score jumps to 51. So the third piece, dealt as the second starts to fall, comes grey, and
// a WhiteDisc is announced over it in the preview box; the disc falls after the second piece.
class SpecialInPlay : public GameSession {
protected:
    void play(const std::vector<TimedKey>& keys, const FrameWatch::Keep& keep,
              FrameWatch::Change alsoAtFirstFrame = {}) {
        menuFrames() = 0;
        FrameWatch watch(keep, [alsoAtFirstFrame](GameState& state) {
            for (int i = 0; i < 51; ++i)
                addPoint(state);
            if (alsoAtFirstFrame)
                alsoAtFirstFrame(state);
        });
        runWithKeys(keys, playGame);
        frames = watch.frames();
    }

    std::vector<Frame> frames;
};

// The disc announced in the preview box, centred where the next piece's middle would be.
bool previewShowsDisc(const Frame& frame) {
    return frame.pixel(385, 141) == kWhite && frame.pixel(366, 127) == kBlack &&
           isFilled(frame, {324, 85, 438, 95}, kBlack);
}

// The third piece, a corner with one block over the left one, in grey.
bool previewShowsGreyCorner(const Frame& frame) {
    return isFilled(frame, {350, 112, 380, 142}, kGrey) &&
           isFilled(frame, {380, 142, 410, 172}, kGrey);
}

TEST_F(SpecialInPlay, AnAnnouncedDiscFallsAfterThePieceAndScoresOneOnTheBottomRow) {
    play({{150, "s"}, {3400, "s"}, {6700, "s"}, {10000, "q"}}, [](const Frame& frame) {
        return previewShowsDisc(frame) || previewShowsGreyCorner(frame);
    });
    // The preview shows the disc until it starts to fall, then the piece that comes after it.
    ASSERT_FALSE(frames.empty());
    EXPECT_TRUE(previewShowsDisc(frames.front()));
    EXPECT_TRUE(previewShowsGreyCorner(frames.back()));
    const GameState& state = game();
    EXPECT_EQ(state.specialIndex, 1);
    EXPECT_EQ(state.pendingSpecial, 0);
    EXPECT_EQ(state.progress, 2 * 52 - 7);
    EXPECT_EQ(state.savedScore, (std::array<char, 4>{'0', '0', '5', '2'}));
    // The second piece, dealt before the score jumped, landed before the disc fell.
    EXPECT_EQ(rowsOf(state.board, 15, 18),
              (Rows{"...R.....", "...G.....", "..GR.....", "..RR....."}));
}

TEST_F(SpecialInPlay, QQuitsWhileASpecialBlockFallsWithoutTheGameOverScreen) {
    play({{150, "s"}, {3400, "s"}, {6700, "q"}}, looksLikeGameOver);
    EXPECT_TRUE(frames.empty());
    EXPECT_EQ(game().specialIndex, 1);
    EXPECT_TRUE(filledWith(pageNow(), {0, 0, 480, 640}, kBlack));
}

TEST_F(SpecialInPlay, ATakenStartCellBelowTheMiddleColumnEndsTheGame) {
    const double start = now();
    play({{150, "s"}, {3400, "s"}, {8000, "space"}}, looksLikeGameOver,
         [](GameState& state) { fillColumn(state.board, 4, 1, 18, GREY); });
    EXPECT_FALSE(frames.empty());
    EXPECT_GE(now(), start + 8000);
    EXPECT_EQ(game().specialIndex, 1);
}

}  // namespace
