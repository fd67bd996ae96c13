// The main menu: three buttons, a cursor moved with w and s, and confirmation with space.
#include <climits>

#include "game/colours.h"
#include "game/routines.h"
#include "game/screen.h"
#include "game/state.h"
#include "game/texts.h"

namespace {

constexpr int kButtons = 3;
constexpr int kButtonSpacing = 60;
constexpr int kMenuFrameMs = 5;

void drawButtons(int selection) {
    setbrushcolor(kGreen);
    fillbar(186, 296 + kButtonSpacing * selection, 294, 336 + kButtonSpacing * selection);
    setbrushcolor(kBlue);
    for (int i = 0; i < kButtons; ++i)
        fillbar(190, 300 + kButtonSpacing * i, 290, 332 + kButtonSpacing * i);
    setbrushcolor(kBlack);
    for (int i = 0; i < kButtons; ++i)
        fillbar(192, 302 + kButtonSpacing * i, 288, 330 + kButtonSpacing * i);
    setpencolor(kBlue);
    setfontface(24, 12, text::kSong);
    drawtext(210, 302, text::kStart);
    drawtext(216, 362, text::kHelp);
    drawtext(216, 422, text::kExit);
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
    setfontface(48, 24, text::kHei);
    drawtext(100, 100, text::kTitle);
    int selection = 0;
    for (;;) {
        drawButtons(selection);
        if (keyready()) {
            const auto key = static_cast<signed char>(readkey() & 0xFF);
            if (key == 10 || key == ' ')
                return selection;
            if (key == 's' && selection != kButtons - 1)
                ++selection;
            if (key == 'w' && selection != 0)
                --selection;
        }
        countMenuFrame();
        delayframe(kMenuFrameMs);
        setbrushcolor(kBlack);
        fillbar(186, 294, 296, 456);
    }
}
