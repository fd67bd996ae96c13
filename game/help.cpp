// The two help pages: the keys and the clearing rule with a picture of a clear, then the
// special blocks.
#include "game/colours.h"
#include "game/routines.h"
#include "game/screen.h"
#include "game/state.h"
#include "game/texts.h"

namespace {

constexpr TextAt kPage1[] = {
    {90, 100, text::kHelp1Line1}, {37, 130, text::kHelp1Line2}, {37, 160, text::kHelp1Line3},
    {37, 190, text::kHelp1Line4}, {37, 220, text::kHelp1Line5}, {37, 250, text::kHelp1Line6},
};

constexpr TextAt kPage2[] = {
    {90, 100, text::kHelp2Line1}, {37, 130, text::kHelp2Line2}, {37, 160, text::kHelp2Line3},
    {37, 190, text::kHelp2Line4}, {37, 220, text::kHelp2Line5}, {37, 250, text::kHelp2Line6},
    {37, 280, text::kHelp2Line7},
};

// Blocks of the clearing picture, by their top-left corners, in the order they are drawn.
struct Blocks {
    RGBVAL colour;
    int corners[3][2];
    int count;
};

constexpr Blocks kPictures[] = {
    // Before: a blue diagonal among greens and yellows.
    {kBlue, {{40, 300}, {70, 330}, {100, 360}}, 3},
    {kGreen, {{40, 330}, {70, 300}, {100, 330}}, 3},
    {kYellow, {{40, 360}, {70, 360}}, 2},
    // The blue diagonal removed.
    {kGreen, {{170, 330}, {200, 300}, {230, 330}}, 3},
    {kYellow, {{170, 360}, {200, 360}}, 2},
    // The blocks above fallen.
    {kGreen, {{300, 330}, {330, 330}, {360, 360}}, 3},
    {kYellow, {{300, 360}, {330, 360}}, 2},
};

void drawClearingPictures() {
    for (const Blocks& blocks : kPictures) {
        setbrushcolor(blocks.colour);
        for (int i = 0; i < blocks.count; ++i) {
            const int left = blocks.corners[i][0];
            const int top = blocks.corners[i][1];
            fillbar(left, top, left + kCellSize, top + kCellSize);
        }
    }
    setpencolor(kWhite);
    drawtext(143, 340, text::kArrow);
    drawtext(273, 340, text::kArrow);
    drawtext(50, 420, text::kBeforeClearing);
    drawtext(170, 405, text::kCaptionTop);
    drawtext(170, 435, text::kCaptionBottom);
    drawtext(200, 490, text::kScoresThree);
}

void showControlsPage() {
    clearimage();
    setpencolor(kBlue);
    setfontface(48, 24, text::kHei);
    drawtext(190, 40, text::kHelpTitle);
    setpencolor(kWhite);
    setfontface(24, 12, text::kSong);
    drawTexts(kPage1);
    drawClearingPictures();
    drawSelectedButton(186, 536, 217, 545, text::kNext);
    waitForKey(" ");
}

void showSpecialBlocksPage() {
    setbrushcolor(kBlack);
    fillbar(40, 100, 390, 520);
    setpencolor(kWhite);
    drawTexts(kPage2);
    setbrushcolor(kGrey);
    fillbar(40, 330, 70, 360);
    fillbar(40, 360, 70, 390);
    fillbar(70, 330, 100, 360);
    setbrushcolor(kWhite);
    fillbar(300, 350, 330, 380);
    fillbar(390, 350, 420, 380);
    setbrushcolor(kBlack);
    fillbar(394, 354, 416, 376);
    drawSpecial(WhiteDisc, 6, 350);
    drawSpecial(WhiteRing, 3, 350);
    drawtext(217, 545, text::kBack);
    waitForKey(" ");
}

}  // namespace

int showHelp() {
    showControlsPage();
    showSpecialBlocksPage();
    clearimage();
    return 0;
}
