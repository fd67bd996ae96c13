// The playing screen's frame and labels, its score and level, and the game-over screen.
#include "game/hud.h"

#include "game/colours.h"
#include "game/routines.h"
#include "game/screen.h"
#include "game/state.h"
#include "game/texts.h"

namespace {

struct Bar {
    int left;
    int top;
    int right;
    int bottom;
};

// The white borders of the well and of the three boxes of the side panel.
constexpr Bar kFrame[] = {
    {38, 48, 312, 50},    {38, 50, 40, 590},    {310, 50, 312, 590},  {38, 590, 312, 592},
    {322, 48, 440, 50},   {322, 190, 440, 192}, {322, 238, 440, 240}, {322, 450, 440, 452},
    {322, 498, 440, 500}, {322, 590, 440, 592}, {322, 50, 324, 190},  {322, 240, 324, 450},
    {322, 500, 324, 590}, {438, 50, 440, 190},  {438, 240, 440, 450}, {438, 500, 440, 590},
};

constexpr TextAt kWhiteLabels[] = {
    {342, 55, text::kNextPiece},   {380, 260, text::kMode},         {335, 300, text::kTargetLabel},
    {350, 375, text::kScoreLabel}, {370, 410, text::kInitialScore}, {350, 520, text::kPressQ},
    {358, 550, text::kToQuit},
};

// The first level's mode name and target.
constexpr TextAt kGreenLabels[] = {{330, 260, text::kEasy}, {368, 335, text::k40}};

// The score's digit positions, thousands first, on the score line.
constexpr int kDigitX[4] = {356, 368, 380, 392};
constexpr int kDigitY = 410;

// The final score, leading zeros shown, 14 pixels apart.
void drawFinalScore(const std::array<char, 4>& digits) {
    for (int i = 0; i < 4; ++i)
        drawchar(250 + 14 * i, 240, digits[i]);
}

}  // namespace

void drawPlayingScreen() {
    setbrushcolor(kWhite);
    for (const Bar& bar : kFrame)
        fillbar(bar.left, bar.top, bar.right, bar.bottom);
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
        fillbar(368, 335, 420, 365);
    }
    setpencolor(level.colour);
    drawtext(330, 260, level.mode);
    drawtext(368, 335, level.target);
}

int showGameOver() {
    clearimage();
    setpencolor(kYellow);
    setfontface(48, 24, text::kHei);
    drawtext(140, 100, text::kGameOver);
    setfontface(24, 12, text::kSong);
    drawtext(180, 240, text::kScoreLabel);
    drawFinalScore(game().savedScore);
    drawSelectedButton(186, 416, 216, 422, text::kBack);
    waitForKey(" \n");
    clearimage();
    return 0;
}
