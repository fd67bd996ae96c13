#include "tests/support/program_screens.h"

#include <algorithm>

#include "game/colours.h"

namespace {

constexpr int kButtonSpacing = 60;

// The selected button's green ring at (left, top) and the blue frame inside it.
bool selectedButtonAt(const ScreenView& game, int left, int top) {
    return game.pixel(left, top) == kGreen && game.pixel(left + 4, top + 4) == kBlue;
}

bool holdsColour(const ScreenArea& area, uint32_t colour) {
    return std::count(area.pixels.begin(), area.pixels.end(), colour) != 0;
}

}  // namespace

bool menuShown(const ScreenView& game, int cursor) {
    return selectedButtonAt(game, 186, 296 + kButtonSpacing * cursor);
}

bool menuDrawn(const ScreenView& game) {
    return game.pixel(293, 335) == kGreen && game.pixel(190, 420) == kBlue &&
           game.pixel(200, 345) == kBlack && holdsColour(game.area(100, 100, 200, 48), kYellow);
}

bool helpShown(const ScreenView& game) {
    return game.pixel(40 + 15, 300 + 15) == kBlue && selectedButtonAt(game, 186, 536);
}

bool helpPictureDrawn(const ScreenView& game) {
    return game.pixel(70 + 15, 300 + 15) == kGreen && game.pixel(100 + 15, 300 + 15) == kBlack;
}

bool secondHelpShown(const ScreenView& game) {
    return game.pixel(40 + 15, 330 + 15) == kGrey && game.pixel(300 + 15, 350 + 15) == kWhite &&
           game.pixel(390 + 1, 350 + 15) == kWhite && game.pixel(390 + 15, 350 + 15) == kBlack &&
           game.pixel(235, 365) == kWhite && game.pixel(145, 365) == kBlack &&
           game.pixel(145 + 12, 365) == kWhite;
}

bool playingScreenShown(const ScreenView& game) {
    return game.pixel(38, 48) == kWhite && game.pixel(311, 300) == kWhite;
}

bool firstLevelShown(const ScreenView& game) {
    return holdsColour(game.area(330, 260, 48, 24), kGreen);
}

bool wellHasBlock(const ScreenView& game) {
    const ScreenArea well = game.area(40, 50, 270, 540);
    return std::any_of(well.pixels.begin(), well.pixels.end(),
                       [](uint32_t pixel) { return pixel != kBlack; });
}

int lowestBlockRow(const ScreenView& game) {
    const ScreenArea well = game.area(40, 50, 270, 540);
    for (int y = 50 + 539; y >= 50; --y) {
        for (int x = 40; x < 310; ++x) {
            if (well.at(x, y) != kBlack)
                return y;
        }
    }
    return -1;
}

bool chooserShown(const ScreenView& game) {
    return game.pixel(71, 200) == kWhite && game.pixel(278, 200) == kWhite &&
           game.pixel(74, 124) == kBlack;
}

bool gameOverShown(const ScreenView& game) {
    return selectedButtonAt(game, 186, 416) && game.pixel(38, 48) == kBlack;
}

bool gameOverTitleShown(const ScreenView& game) {
    return holdsColour(game.area(140, 100, 216, 48), kYellow);
}
