#include "tests/support/program_screens.h"

#include <algorithm>

#include "game/colours.h"

namespace {

constexpr int kButtonSpacing = 60;

// The selected button's green ring at (left, top) and the blue frame inside it.
bool selectedButtonAt(const ProgramWindow& game, int left, int top) {
    return game.pixel(left, top) == kGreen && game.pixel(left + 4, top + 4) == kBlue;
}

}  // namespace

bool menuShown(const ProgramWindow& game, int cursor) {
    return selectedButtonAt(game, 186, 296 + kButtonSpacing * cursor);
}

bool helpShown(const ProgramWindow& game) {
    return game.pixel(40 + 15, 300 + 15) == kBlue && selectedButtonAt(game, 186, 536);
}

bool playingScreenShown(const ProgramWindow& game) {
    return game.pixel(38, 48) == kWhite && game.pixel(311, 300) == kWhite;
}

bool wellHasBlock(const ProgramWindow& game) {
    const ScreenArea well = game.area(40, 50, 270, 540);
    return std::any_of(well.pixels.begin(), well.pixels.end(),
                       [](uint32_t pixel) { return pixel != kBlack; });
}

bool chooserShown(const ProgramWindow& game) {
    return game.pixel(71, 200) == kWhite && game.pixel(278, 200) == kWhite &&
           game.pixel(74, 124) == kBlack;
}

bool gameOverShown(const ProgramWindow& game) {
    return selectedButtonAt(game, 186, 416) && game.pixel(38, 48) == kBlack;
}
