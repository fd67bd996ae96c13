// The screens by their pixels: the main menu, the playing screen with its score and level texts,
// the game-over screen and the two help pages, each driven by scripted keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/config.h"
#include "game/program.h"
#include "game/routines.h"
#include "game/scoring.h"
#include "game/texts.h"
#include "tests/support/game_session.h"

namespace {

// The menu button whose green highlight a frame shows, or -1.
int highlightedButton(const Frame& frame) {
    for (int button = 0; button < 3; ++button) {
        if (isFilled(frame, {186, 296 + 60 * button, 294, 300 + 60 * button}, kGreen))
            return button;
    }
    return -1;
}

// Keeps the frames in which the highlight has moved to another button.
FrameWatch::Keep highlightMoves() {
    return [last = -1](const Frame& frame) mutable {
        const int button = highlightedButton(frame);
        if (button < 0 || button == last)
            return false;
        last = button;
        return true;
    };
}

std::vector<int> highlightsIn(const std::vector<Frame>& frames) {
    std::vector<int> shown;
    for (const Frame& frame : frames)
        shown.push_back(highlightedButton(frame));
    return shown;
}

// The green ring and blue frame of a highlighted button with its outer corner at (left, top),
// 108 x 40, around a black face.
::testing::AssertionResult showsHighlightedButton(const Frame& frame, int left, int top) {
    const Rect ring{left, top, left + 108, top + 40};
    const Rect frameBar{left + 4, top + 4, left + 104, top + 36};
    if (!isFilled(frame, {ring.left, ring.top, ring.right, ring.top + 4}, kGreen) ||
        !isFilled(frame, {ring.left, ring.bottom - 4, ring.right, ring.bottom}, kGreen))
        return ::testing::AssertionFailure() << "no green ring";
    if (!isFilled(frame, {frameBar.left, frameBar.top, frameBar.right, frameBar.top + 2}, kBlue))
        return ::testing::AssertionFailure() << "no blue frame";
    if (!isFilled(frame, {left + 6, top + 6, left + 10, top + 34}, kBlack))
        return ::testing::AssertionFailure() << "no black face";
    return ::testing::AssertionSuccess();
}

using MainMenu = GameSession;

TEST_F(MainMenu, TheCursorMovesWithLowerCaseWAndSWithoutWrappingAndOnlyTenAndSpaceConfirm) {
    const double t0 = now();
    press(t0 + 50, "w");  // already on "start"
    press(t0 + 100, "S");
    press(t0 + 150, "s");
    press(t0 + 200, "W");
    press(t0 + 250, "s");
    press(t0 + 300, "s");  // already on "exit"
    press(t0 + 350, "Return");
    press(t0 + 400, "space");
    FrameWatch watch(highlightMoves());
    int choice = -1;
    runScripted([&] { choice = mainMenu(); });

    EXPECT_EQ(choice, 2);
    EXPECT_GE(now(), t0 + 400) << "Enter (13) must not confirm";
    EXPECT_EQ(highlightsIn(watch.frames()), (std::vector<int>{0, 1, 2}));
    // The menu returns without erasing its buttons.
    const Frame shown = pageNow();
    EXPECT_TRUE(showsText(shown, 100, 100, text::kTitle, kYellow, kTitleFont));
    EXPECT_TRUE(showsText(shown, 210, 302, text::kStart, kBlue));
    EXPECT_TRUE(showsText(shown, 216, 362, text::kHelp, kBlue));
    EXPECT_TRUE(showsText(shown, 216, 422, text::kExit, kBlue));
    EXPECT_TRUE(showsHighlightedButton(shown, 186, 416));
}

TEST_F(MainMenu, CodeTenConfirmsAsSpaceDoes) {
    const double t0 = now();
    press(t0 + 50, "s");
    typeCode(t0 + 100, 10);
    int choice = -1;
    runScripted([&] { choice = mainMenu(); });
    EXPECT_EQ(choice, 1);
}

TEST_F(MainMenu, AConfirmingFrameIsNeitherDelayedNorCountedAndTheCursorStartsOnStart) {
    // The first visit leaves the cursor on "help"; the second starts on "start" again.
    press(now() + 20, "s");
    press(now() + 40, "space");
    const int framesAtStart = menuFrames();
    int choice = -1;
    runScripted([&] { choice = mainMenu(); });
    ASSERT_EQ(choice, 1);
    EXPECT_GT(menuFrames(), framesAtStart);

    pressNow("space");
    const int framesBefore = menuFrames();
    const double before = now();
    EXPECT_EQ(mainMenu(), 0);
    EXPECT_EQ(menuFrames(), framesBefore);
    EXPECT_LT(now() - before, 1.0);
}

class PlayingScreen : public GameSession {
protected:
    void SetUp() override {
        GameSession::SetUp();
        startGame();
    }

    // The score after `points` points, redrawn as a clearing pass ends.
    void scoreAndRedraw(int points) {
        for (int i = 0; i < points; ++i)
            addPoint(game());
        redrawScore();
    }
};

// The insides of the well and of the three side boxes, each framed by a white border 2 pixels
// thick.
const Rect kFramedInsides[] = {
    {40, 50, 310, 590}, {324, 50, 438, 190}, {324, 240, 438, 450}, {324, 500, 438, 590}};

// The four sides of the border around an inside.
std::vector<Rect> borderAround(const Rect& inside) {
    return {{inside.left - 2, inside.top - 2, inside.right + 2, inside.top},
            {inside.left - 2, inside.bottom, inside.right + 2, inside.bottom + 2},
            {inside.left - 2, inside.top, inside.left, inside.bottom},
            {inside.right, inside.top, inside.right + 2, inside.bottom}};
}

struct Label {
    int x;
    int y;
    const char* text;
    RGBVAL colour;
};

const Label kStartLabels[] = {
    {342, 55, text::kNextPiece, kWhite},     {380, 260, text::kMode, kWhite},
    {335, 300, text::kTargetLabel, kWhite},  {350, 375, text::kScoreLabel, kWhite},
    {370, 410, text::kInitialScore, kWhite}, {350, 520, text::kPressQ, kWhite},
    {358, 550, text::kToQuit, kWhite},       {330, 260, text::kEasy, kGreen},
    {368, 335, text::k40, kGreen},
};

TEST_F(PlayingScreen, FramesTheWellAndTheBoxesInWhiteWithTheFirstLevelsTextsInGreen) {
    const Frame page = pageNow();
    for (const Rect& inside : kFramedInsides) {
        for (const Rect& side : borderAround(inside))
            EXPECT_TRUE(filledWith(page, side, kWhite));
    }
    // Left of the side panel only the well's border is white, and the well is empty.
    EXPECT_EQ(countIn(page, {0, 0, 321, 640}, kWhite), 2 * 274 * 2 + 2 * 2 * 540);
    EXPECT_TRUE(filledWith(page, kFramedInsides[0], kBlack));
    for (const Label& label : kStartLabels)
        EXPECT_TRUE(showsText(page, label.x, label.y, label.text, label.colour)) << label.text;
}

struct ScoreCase : Described {
    int points;
    std::vector<std::pair<int, char>> digits;  // x of each drawn digit, and the digit
    const char* mode;
    const char* target;
    RGBVAL colour;
    int fallDelay;
};

class ScoreAndLevel : public PlayingScreen, public ::testing::WithParamInterface<ScoreCase> {};

TEST_P(ScoreAndLevel, DigitsFromTheFirstNonZeroOneAndTheLevelTexts) {
    const ScoreCase& expected = GetParam();
    scoreAndRedraw(expected.points);
    const Frame page = pageNow();
    for (const auto& [x, digit] : expected.digits) {
        const char text[2] = {digit, '\0'};
        EXPECT_TRUE(showsText(page, x, 410, text, kWhite)) << "digit " << digit << " at " << x;
    }
    EXPECT_TRUE(showsText(page, 330, 260, expected.mode, expected.colour));
    EXPECT_TRUE(showsText(page, 368, 335, expected.target, expected.colour));
    EXPECT_EQ(game().fallDelay, expected.fallDelay);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, ScoreAndLevel,
    ::testing::Values(
        ScoreCase{{"7 points"}, 7, {{392, '7'}}, text::kEasy, text::k40, kGreen, 60},
        ScoreCase{
            {"40 points"}, 40, {{380, '4'}, {392, '0'}}, text::kMedium, text::k120, kYellow, 50},
        ScoreCase{{"120 points"},
                  120,
                  {{368, '1'}, {380, '2'}, {392, '0'}},
                  text::kHard,
                  text::k220,
                  kPurple,
                  40},
        ScoreCase{{"220 points"},
                  220,
                  {{368, '2'}, {380, '2'}, {392, '0'}},
                  text::kVeryHard,
                  text::kNoTarget,
                  kRed,
                  30}));

TEST_F(PlayingScreen, TheLastLevelErasesTheOldTargetAroundItsShorterOne) {
    scoreAndRedraw(120);
    scoreAndRedraw(100);
    // "无" covers 368..392; what was left of "220" is gone.
    EXPECT_TRUE(filledWith(pageNow(), {392, 335, 420, 365}, kBlack));
}

TEST_F(PlayingScreen, PastTheLargestFourDigitScoreTheDigitsStayWhileProgressCounts) {
    scoreAndRedraw(9999);
    scoreAndRedraw(3);
    EXPECT_EQ(game().scoreDigits, (std::array<int32_t, 4>{'9', '9', '9', '9'}));
    EXPECT_EQ(game().progress, 2 * 10002 - 7);
    const Frame page = pageNow();
    for (int x : {356, 368, 380, 392})
        EXPECT_TRUE(showsText(page, x, 410, "9", kWhite));
}

class GameOverScreen : public PlayingScreen {
protected:
    // Shows the game-over screen; returns the frame it showed last.
    Frame showWhileScripted() {
        FrameWatch watch(looksLikeGameOver);
        runScripted([] { EXPECT_EQ(showGameOver(), 0); });
        const std::vector<Frame> frames = watch.frames();
        return frames.empty() ? Frame{} : frames.back();
    }
};

TEST_F(GameOverScreen, ShowsTheFinalScoreWithLeadingZerosAndLeavesOnlyOnTenOrSpace) {
    scoreAndRedraw(12);
    const double t0 = now();
    press(t0 + 100, "Q");
    press(t0 + 200, "Return");
    press(t0 + 300, "Left");
    press(t0 + 400, "Escape");
    typeCode(t0 + 500, 10);
    const Frame shown = showWhileScripted();

    EXPECT_GE(now(), t0 + 500);
    EXPECT_TRUE(showsText(shown, 140, 100, text::kGameOver, kYellow, kTitleFont));
    EXPECT_TRUE(showsText(shown, 180, 240, text::kScoreLabel, kYellow));
    const char* const digits[] = {"0", "0", "1", "2"};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(showsText(shown, 250 + 14 * i, 240, digits[i], kYellow));
    EXPECT_TRUE(showsHighlightedButton(shown, 186, 416));
    EXPECT_TRUE(showsText(shown, 216, 422, text::kBack, kBlue));
    // The playing screen is gone, and the page is left empty for the menu.
    EXPECT_TRUE(filledWith(shown, {38, 500, 312, 592}, kBlack));
    EXPECT_TRUE(filledWith(pageNow(), {0, 0, 480, 640}, kBlack));
}

TEST_F(GameOverScreen, AGameWithoutAPointShowsFourZerosAndSpaceLeaves) {
    const double t0 = now();
    press(t0 + 100, "space");
    const Frame shown = showWhileScripted();
    EXPECT_GE(now(), t0 + 100);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(showsText(shown, 250 + 14 * i, 240, "0", kYellow));
}

using Help = GameSession;

// Page 1's illustration of a clear: blue, green and yellow blocks by their top-left corners.
struct PictureBlock {
    int left;
    int top;
    RGBVAL colour;
};
const PictureBlock kClearingPictures[] = {
    {40, 300, kBlue},    {70, 330, kBlue},    {100, 360, kBlue},  {40, 330, kGreen},
    {70, 300, kGreen},   {100, 330, kGreen},  {40, 360, kYellow}, {70, 360, kYellow},
    {170, 330, kGreen},  {200, 300, kGreen},  {230, 330, kGreen}, {170, 360, kYellow},
    {200, 360, kYellow}, {300, 330, kGreen},  {330, 330, kGreen}, {360, 360, kGreen},
    {300, 360, kYellow}, {330, 360, kYellow},
};

void expectFirstHelpPage(const Frame& page) {
    EXPECT_TRUE(showsText(page, 190, 40, text::kHelpTitle, kBlue, kTitleFont));
    EXPECT_TRUE(showsText(page, 90, 100, text::kHelp1Line1, kWhite));
    EXPECT_TRUE(showsText(page, 37, 250, text::kHelp1Line6, kWhite));
    for (const PictureBlock& block : kClearingPictures) {
        EXPECT_TRUE(filledWith(page, {block.left, block.top, block.left + 30, block.top + 30},
                               block.colour))
            << block.left << ", " << block.top;
    }
    EXPECT_TRUE(filledWith(page, {100, 300, 130, 330}, kBlack));
    EXPECT_TRUE(showsText(page, 143, 340, text::kArrow, kWhite));
    EXPECT_TRUE(showsText(page, 273, 340, text::kArrow, kWhite));
    EXPECT_TRUE(showsText(page, 170, 405, text::kCaptionTop, kWhite));
    EXPECT_TRUE(showsText(page, 200, 490, text::kScoresThree, kWhite));
    EXPECT_TRUE(showsHighlightedButton(page, 186, 536));
    EXPECT_TRUE(showsText(page, 217, 545, text::kNext, kBlue));
}

void expectSecondHelpPage(const Frame& page) {
    EXPECT_TRUE(showsText(page, 190, 40, text::kHelpTitle, kBlue, kTitleFont));
    EXPECT_TRUE(showsText(page, 90, 100, text::kHelp2Line1, kWhite));
    EXPECT_TRUE(showsText(page, 37, 280, text::kHelp2Line7, kWhite));
    for (const Rect grey :
         {Rect{40, 330, 70, 360}, Rect{40, 360, 70, 390}, Rect{70, 330, 100, 360}})
        EXPECT_TRUE(filledWith(page, grey, kGrey));
    EXPECT_TRUE(filledWith(page, {300, 350, 330, 380}, kWhite));
    EXPECT_TRUE(filledWith(page, {390, 350, 420, 354}, kWhite));
    EXPECT_TRUE(filledWith(page, {394, 354, 416, 376}, kBlack));
    // A disc centred at (235, 365) and a ring centred at (145, 365) whose middle stays black.
    EXPECT_EQ(page.pixel(235, 365), kWhite);
    EXPECT_EQ(page.pixel(245, 365), kWhite);
    EXPECT_EQ(page.pixel(145, 365), kBlack);
    EXPECT_EQ(page.pixel(157, 365), kWhite);
    // The pictures of page 1 are wiped; the button keeps its frame and now reads "back" in white.
    EXPECT_TRUE(filledWith(page, {170, 330, 200, 360}, kBlack));
    EXPECT_TRUE(showsHighlightedButton(page, 186, 536));
    EXPECT_TRUE(showsText(page, 217, 545, text::kBack, kWhite));
}

TEST_F(Help, TwoPagesTurnedOnlyBySpace) {
    const double t0 = now();
    typeCode(t0 + 100, 10);
    press(t0 + 200, "Return");
    press(t0 + 300, "x");
    press(t0 + 400, "space");
    typeCode(t0 + 600, 10);
    press(t0 + 700, "q");
    press(t0 + 800, "space");
    FrameWatch watch;
    runScripted([] { EXPECT_EQ(showHelp(), 0); });
    EXPECT_GE(now(), t0 + 800);

    std::vector<Frame> firstPage;
    std::vector<Frame> secondPage;
    for (const Frame& frame : watch.frames())
        (isFilled(frame, {40, 330, 70, 360}, kGrey) ? secondPage : firstPage).push_back(frame);
    ASSERT_FALSE(firstPage.empty());
    ASSERT_FALSE(secondPage.empty());
    EXPECT_GE(secondPage.front().atMs, t0 + 400) << "page 2 came before the space";
    expectFirstHelpPage(firstPage.back());
    expectSecondHelpPage(secondPage.back());
    EXPECT_TRUE(filledWith(pageNow(), {0, 0, 480, 640}, kBlack));
}

using ColourMarks = GameSession;

// Asked for, every colour's block carries a mark of its own shape in 10 to 40 % of its cell, so
// that its colour stays dominant; grey blocks stay plain.
TEST_F(ColourMarks, EachColourHasAMarkOfItsOwnShapeAndGreyNone) {
    gameConfig().colourMarks = true;
    for (Cell value = RED; value <= GREY; ++value)
        drawCell(value, value, 5);
    gameConfig() = GameConfig{};
    const Frame page = pageNow();
    std::vector<std::vector<bool>> marks;
    for (Cell value = RED; value <= GREY; ++value) {
        const Rect cell = cellRect(value, 5);
        std::vector<bool> marked;
        for (int y = cell.top; y < cell.bottom; ++y) {
            for (int x = cell.left; x < cell.right; ++x)
                marked.push_back(page.pixel(x, y) != kCellColours[value]);
        }
        const auto count = std::count(marked.begin(), marked.end(), true);
        if (value == GREY) {
            EXPECT_EQ(count, 0);
            continue;
        }
        EXPECT_GE(count, 90) << "colour " << value;
        EXPECT_LE(count, 360) << "colour " << value;
        for (size_t other = 0; other < marks.size(); ++other)
            EXPECT_NE(marked, marks[other]) << "colours " << other << " and " << value;
        marks.push_back(marked);
    }
}

using Program = GameSession;

TEST_F(Program, RunsTheMenuAGameAndTheHelpUntilExitThenHidesTheWindow) {
    bool playingScreenShown = false;
    bool secondHelpPageShown = false;
    bool menuBackOnStart = false;
    FrameWatch watch([&](const Frame& frame) {
        playingScreenShown |= isFilled(frame, {38, 48, 312, 50}, kWhite);
        secondHelpPageShown |= isFilled(frame, {40, 330, 70, 360}, kGrey);
        menuBackOnStart |= playingScreenShown && !secondHelpPageShown &&
                           highlightedButton(frame) == 0 &&
                           !isFilled(frame, {38, 48, 312, 50}, kWhite);
        return false;
    });
    int exitCode = -1;
    // Start, quit the game, help with its two pages, then down to exit.
    runWithKeys({{100, "space"},
                 {600, "q"},
                 {800, "s"},
                 {900, "space"},
                 {1100, "space"},
                 {1300, "space"},
                 {1500, "s"},
                 {1600, "s"},
                 {1700, "space"}},
                [&] { exitCode = runTrivanta(); });
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(platform::headless::captionUtf8(), "Trivanta");
    EXPECT_FALSE(platform::headless::windowVisible());
    EXPECT_TRUE(playingScreenShown);
    EXPECT_TRUE(menuBackOnStart);
    EXPECT_TRUE(secondHelpPageShown);
}

}  // namespace
