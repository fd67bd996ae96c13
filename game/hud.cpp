// The playing screen's frame and labels, its score and level, and the game-over screen.
#include "game/hud.h"

#include "game/colours.h"
#include "game/routines.h"
#include "game/screen.h"
#include "game/state.h"
#include "game/texts.h"
#include "runtime/graph.h"

namespace {

// The white borders of the well and of the three boxes of the side panel.
constexpr Bar kFrame[] = {
    {38, 48, 312, 50},    {38, 50, 40, 590},    {310, 50, 312, 590},  {38, 590, 312, 592},
    {322, 48, 440, 50},   {322, 190, 440, 192}, {322, 238, 440, 240}, {322, 450, 440, 452},
    {322, 498, 440, 500}, {322, 590, 440, 592}, {322, 50, 324, 190},  {322, 240, 324, 450},
    {322, 500, 324, 590}, {438, 50, 440, 190},  {438, 240, 440, 450}, {438, 500, 440, 590},
};

// Where every level shows its mode name and the score its next one starts at.
constexpr int kModeX = 330;
constexpr int kModeY = 260;
constexpr int kTargetX = 368;
constexpr int kTargetY = 335;
// What a shorter target erases of the wider one before it.
constexpr Bar kTargetArea{kTargetX, kTargetY, 420, 365};

constexpr TextAt kWhiteLabels[] = {
    {342, 55, text::kNextPiece},   {380, 260, text::kMode},         {335, 300, text::kTargetLabel},
    {350, 375, text::kScoreLabel}, {370, 410, text::kInitialScore}, {350, 520, text::kPressQ},
    {358, 550, text::kToQuit},
};

// The first level's mode name and target.
constexpr TextAt kGreenLabels[] = {{kModeX, kModeY, text::kEasy}, {kTargetX, kTargetY, text::k40}};

// The score's digit positions, thousands first, on the score line.
constexpr int kDigitX[4] = {356, 368, 380, 392};
constexpr int kDigitY = 410;

constexpr TextAt kGameOverTitle{140, 100, text::kGameOver};
constexpr TextAt kFinalScoreLabel{180, 240, text::kScoreLabel};
// The final score on its label's line, leading zeros shown, 14 pixels apart.
constexpr int kFinalScoreX = 250;
constexpr int kFinalDigitStep = 14;
constexpr Button kBackButton{186, 416, {216, 422, text::kBack}};

void fillBar(const Bar& bar) {
    fillbar(bar.left, bar.top, bar.right, bar.bottom);
}

void drawFinalScore(const std::array<char, 4>& digits) {
    for (int i = 0; i < 4; ++i)
        drawchar(kFinalScoreX + kFinalDigitStep * i, kFinalScoreLabel.y, digits[i]);
}

}  // namespace

void drawPlayingScreen() {
    setbrushcolor(kWhite);
    for (const Bar& bar : kFrame)
        fillBar(bar);
    setpencolor(kWhite);
    drawTexts(kWhiteLabels);
    setpencolor(kGreen);
    drawTexts(kGreenLabels);
}

void drawScore(const std::array<int32_t, 4>& digits) {
    setpencolor(kWhite);
    int first = 0;
    while (first < 3 && digits[first] == '0')
        ++first;
    for (int i = first; i < 4; ++i)
        drawchar(kDigitX[i], kDigitY, digits[i]);
}

void drawLevel(const Level& level) {
    if (level.shortTarget) {
        setbrushcolor(kBlack);
        fillBar(kTargetArea);
    }
    setpencolor(level.colour);
    drawText({kModeX, kModeY, level.mode});
    drawText({kTargetX, kTargetY, level.target});
}

int showGameOver() {
    clearimage();
    setpencolor(kYellow);
    setFont(kTitleFont);
    drawText(kGameOverTitle);
    setFont(kTextFont);
    drawText(kFinalScoreLabel);
    drawFinalScore(game().savedScore);
    drawButton(kBackButton, true);
    waitForKey(" \n");
    clearimage();
    return 0;
}
