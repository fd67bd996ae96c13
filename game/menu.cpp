// The main menu: three buttons, a cursor moved with w and s, and confirmation with space.
#include <climits>
#include <iterator>

#include "game/colours.h"
#include "game/routines.h"
#include "game/screen.h"
#include "game/state.h"
#include "game/texts.h"
#include "runtime/graph.h"

namespace {

constexpr TextAt kTitle{100, 100, text::kTitle};
constexpr Button kButtons[] = {
    {186, 296, {210, 302, text::kStart}},
    {186, 356, {216, 362, text::kHelp}},
    {186, 416, {216, 422, text::kExit}},
};
constexpr int kButtonCount = static_cast<int>(std::size(kButtons));

// Every frame wipes the buttons, rings included, before it draws them again.
constexpr int kWipeLeft = 186;
constexpr int kWipeTop = 294;
constexpr int kWipeRight = 296;
constexpr int kWipeBottom = 456;

constexpr int kMenuFrameMs = 5;
// Code 10 confirms as space does; Enter, which types 13, does not.
constexpr signed char kLineFeed = 10;

void drawButtons(int selection) {
    setFont(kTextFont);
    for (int i = 0; i < kButtonCount; ++i)
        drawButton(kButtons[i], i == selection);
}

// The menu frames keep counting across games; past the largest count they start again at 0,
// so that the dealer's seed is never negative.
void countMenuFrame() {
    int32_t& frames = menuFrames();
    frames = frames == INT32_MAX ? 0 : frames + 1;
}

}  // namespace

int mainMenu() {
    setpencolor(kYellow);
    setFont(kTitleFont);
    drawText(kTitle);
    int selection = 0;
    for (;;) {
        drawButtons(selection);
        if (keyready()) {
            const auto key = static_cast<signed char>(readkey() & 0xFF);
            if (key == kLineFeed || key == ' ')
                return selection;
            if (key == 's' && selection != kButtonCount - 1)
                ++selection;
            if (key == 'w' && selection != 0)
                --selection;
        }
        countMenuFrame();
        delayframe(kMenuFrameMs);
        setbrushcolor(kBlack);
        fillbar(kWipeLeft, kWipeTop, kWipeRight, kWipeBottom);
    }
}
