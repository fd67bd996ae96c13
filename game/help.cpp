// The two help pages: the keys and the clearing rule with a picture of a clear, then the
// special blocks.
#include "game/colours.h"
#include "game/routines.h"
#include "game/screen.h"
#include "game/state.h"
#include "game/texts.h"
#include "runtime/graph.h"

namespace {

constexpr TextAt kTitle{190, 40, text::kHelpTitle};
constexpr Button kNextButton{186, 536, {217, 545, text::kNext}};
// The second page says "back" where the first said "next", in white.
constexpr TextAt kBackLabel{kNextButton.label.x, kNextButton.label.y, text::kBack};

constexpr TextAt kPage1[] = {
    {90, 100, text::kHelp1Line1}, {37, 130, text::kHelp1Line2}, {37, 160, text::kHelp1Line3},
    {37, 190, text::kHelp1Line4}, {37, 220, text::kHelp1Line5}, {37, 250, text::kHelp1Line6},
};

constexpr TextAt kPage2[] = {
    {90, 100, text::kHelp2Line1}, {37, 130, text::kHelp2Line2}, {37, 160, text::kHelp2Line3},
    {37, 190, text::kHelp2Line4}, {37, 220, text::kHelp2Line5}, {37, 250, text::kHelp2Line6},
    {37, 280, text::kHelp2Line7},
};

// Blocks of one colour by their top-left corners, in the order they are drawn.
struct Blocks {
    Cell value;
    int corners[3][2];
    int count;
};

constexpr Blocks kPictures[] = {
    // Before: a blue diagonal among greens and yellows.
    {BLUE, {{40, 300}, {70, 330}, {100, 360}}, 3},
    {GREEN, {{40, 330}, {70, 300}, {100, 330}}, 3},
    {YELLOW, {{40, 360}, {70, 360}}, 2},
    // The blue diagonal removed.
    {GREEN, {{170, 330}, {200, 300}, {230, 330}}, 3},
    {YELLOW, {{170, 360}, {200, 360}}, 2},
    // The blocks above fallen.
    {GREEN, {{300, 330}, {330, 330}, {360, 360}}, 3},
    {YELLOW, {{300, 360}, {330, 360}}, 2},
};

constexpr TextAt kPictureTexts[] = {
    {143, 340, text::kArrow},         {273, 340, text::kArrow},
    {50, 420, text::kBeforeClearing}, {170, 405, text::kCaptionTop},
    {170, 435, text::kCaptionBottom}, {200, 490, text::kScoresThree},
};

// The second page wipes the first's texts and pictures; its title and button stay.
constexpr int kWipeLeft = 40;
constexpr int kWipeTop = 100;
constexpr int kWipeRight = 390;
constexpr int kWipeBottom = 520;

// A grey piece, then the special blocks, in a row below the second page's text.
constexpr Blocks kGreyPiece{GREY, {{40, 330}, {40, 360}, {70, 330}}, 3};
struct SpecialAt {
    SpecialKind kind;
    int x;
};
constexpr SpecialAt kSpecials[] = {
    {WhiteRing, 130},
    {WhiteDisc, 220},
    {WhiteSquare, 300},
    {WhiteFrame, 390},
};
constexpr int kSpecialsY = 350;

void drawBlocks(const Blocks& blocks) {
    for (int i = 0; i < blocks.count; ++i)
        drawBlock(blocks.value, blocks.corners[i][0], blocks.corners[i][1]);
}

void drawClearingPictures() {
    for (const Blocks& blocks : kPictures)
        drawBlocks(blocks);
    setpencolor(kWhite);
    drawTexts(kPictureTexts);
}

void showControlsPage() {
    clearimage();
    setpencolor(kBlue);
    setFont(kTitleFont);
    drawText(kTitle);
    setpencolor(kWhite);
    setFont(kTextFont);
    drawTexts(kPage1);
    drawClearingPictures();
    drawButton(kNextButton, true);
    waitForKey(" ");
}

void showSpecialBlocksPage() {
    setbrushcolor(kBlack);
    fillbar(kWipeLeft, kWipeTop, kWipeRight, kWipeBottom);
    setpencolor(kWhite);
    drawTexts(kPage2);
    drawBlocks(kGreyPiece);
    for (const SpecialAt& special : kSpecials)
        drawSpecialAt(special.kind, special.x, kSpecialsY);
    drawText(kBackLabel);
    waitForKey(" ");
}

}  // namespace

int showHelp() {
    showControlsPage();
    showSpecialBlocksPage();
    clearimage();
    return 0;
}
