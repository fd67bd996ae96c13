// The whole program as a player meets it: build/trivanta, or a Windows build's trivanta.exe under
// Wine (tests/support/program_command.h), started on a private desktop (an X server, or a
// compositor's session: tests/support/desktop.h), typed to and watched through it, pixels
// checked where the game draws them.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "assets/logo.h"
#include "game/colours.h"
#include "runtime/graph.h"
#include "tests/support/child_process.h"
#include "tests/support/desktop.h"
#include "tests/support/program_command.h"
#include "tests/support/program_screens.h"
#include "tests/support/program_window.h"
#include "tests/support/runtime_window.h"
#include "tests/support/xvfb.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Whether each channel of a is within `tolerance` of b's.
bool nearColour(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance)
            return false;
    }
    return true;
}

class GameWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(desktop_->running()) << desktop_->error();
        game_.emplace(*desktop_, "trivanta");
        ASSERT_TRUE(game_->shown());
        appeared_ = Clock::now();
    }

    ProgramWindow& game() { return *game_; }
    std::string caption() { return game_->caption(); }
    void waitForMenu() {
        ASSERT_TRUE(holdsWithin(8, [&] { return caption() == "Trivanta" && menuShown(game()); }));
    }

    const std::unique_ptr<Desktop> desktop_ = openDesktop();
    std::optional<ProgramWindow> game_;
    Clock::time_point appeared_;
};

TEST_F(GameWindow, OpensWithTheLogoThenShowsTheMenu) {
    EXPECT_EQ(caption(), "TARVEL13.03 VC6x86");

    // The still logo: its middle pixel at the centre of the window. The test decodes the logo
    // with the runtime of its own, exactly as the Linux program does; Windows' decoder rounds
    // a little differently.
    openHeadlessWindow(16, 16);
    PIMAGE logo = newimage();
    logo->getimage(assets::kLogoJpeg, assets::kLogoJpegSize);
    const uint32_t middle = readpixel(200, 100, logo);
    freeimage(logo);
    const int tolerance = testingWindowsBuild() ? 4 : 0;
    EXPECT_TRUE(holdsWithin(3, [&] {
        return nearColour(game().pixel(240, 320), middle, tolerance) &&
               game().pixel(39, 320) == kWhite;
    }));

    waitForMenu();
    // The menu's black background fills the client area exactly: nothing is drawn in the
    // 20th column and the 600th row.
    const ScreenArea client = game().blackAreaAround(20, 600);
    EXPECT_EQ(client.x, 0);
    EXPECT_EQ(client.y, 0);
    EXPECT_EQ(client.width, 480);
    EXPECT_EQ(client.height, 640);
    const double menuAfter = secondsSince(appeared_);
    EXPECT_GT(menuAfter, 3.0);
    EXPECT_LT(menuAfter, 5.0 * slowdown());
    EXPECT_TRUE(menuDrawn(game()));
}

TEST_F(GameWindow, ShowsBothHelpPagesAndComesBack) {
    waitForMenu();
    ASSERT_TRUE(game().type("s space"));
    ASSERT_TRUE(holdsWithin(3, [&] { return helpShown(game()); }));
    EXPECT_TRUE(helpPictureDrawn(game()));
    ASSERT_TRUE(game().type("Return"));  // only space turns the page
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(helpShown(game()));

    ASSERT_TRUE(game().type("space"));
    ASSERT_TRUE(holdsWithin(3, [&] { return secondHelpShown(game()); }));

    ASSERT_TRUE(game().type("space"));
    EXPECT_TRUE(holdsWithin(3, [&] { return menuShown(game()); }));
}

TEST_F(GameWindow, PiecesFallAtTheFirstLevelsSpeedAndQQuits) {
    waitForMenu();
    ASSERT_TRUE(game().type("space"));
    // The well's white frame and the first level's green mode name.
    ASSERT_TRUE(holdsWithin(3, [&] { return playingScreenShown(game()); }));
    EXPECT_TRUE(firstLevelShown(game()));

    // A row every 600 ms: 3 pixels every 60 ms, 50 pixels a second.
    ASSERT_TRUE(holdsWithin(3, [&] { return lowestBlockRow(game()) > 60; }));
    const int first = lowestBlockRow(game());
    const Clock::time_point firstSeen = Clock::now();
    std::this_thread::sleep_for(1500ms);
    const int second = lowestBlockRow(game());
    const double speed = (second - first) / secondsSince(firstSeen);
    EXPECT_GT(speed, 35.0 / slowdown());
    EXPECT_LT(speed, 65.0);

    ASSERT_TRUE(game().type("q"));
    EXPECT_TRUE(holdsWithin(3, [&] { return menuShown(game()); }));
}

// Pieces dropped one after the other pile up until one has no room: the game-over screen, and
// space back to the menu. Every piece costs its three seconds of landing pauses, so this runs for
// a minute or more, and is left to the builds that run at full speed.
TEST_F(GameWindow, DroppedPiecesEndTheGameOnTheGameOverScreen) {
    if (kSlowdown > 1)
        GTEST_SKIP() << "too slow in a sanitized build";
    waitForMenu();
    ASSERT_TRUE(game().type("space"));
    ASSERT_TRUE(game().typeUntil(
        "s", [&] { return gameOverShown(game()); }, 300));
    EXPECT_TRUE(gameOverTitleShown(game()));
    ASSERT_TRUE(game().type("Return q"));  // neither leaves
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(gameOverShown(game()));
    ASSERT_TRUE(game().type("space"));
    EXPECT_TRUE(holdsWithin(3, [&] { return menuShown(game()); }));
}

TEST_F(GameWindow, ExitEndsTheProgramWithCodeZero) {
    waitForMenu();
    ASSERT_TRUE(game().type("s s space"));
    EXPECT_EQ(game().process().waitExit(3 * slowdown()), 0);
}

TEST_F(GameWindow, TheCloseButtonDuringTheLogoEndsTheProgramWithCodeZero) {
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(game().closeAndWait(2 * slowdown()).code, 0);
}

TEST_F(GameWindow, TheCloseButtonDuringAGameEndsTheProgramWithCodeZero) {
    waitForMenu();
    ASSERT_TRUE(game().type("space"));
    ASSERT_TRUE(holdsWithin(3, [&] { return lowestBlockRow(game()) > 60; }));
    EXPECT_EQ(game().closeAndWait(2 * slowdown()).code, 0);
}

// On a desktop that asks for twice the size the window is twice as large each way, and shows
// each of the game's pixels as a square of 2 x 2: the menu where it always is, in the game's
// pixels, and sharp.
TEST(GameWindowOnADenseDesktop, TwiceAsLargeInSharpSquares) {
    const std::unique_ptr<Desktop> desktop = openDesktop({.scale = 2});
    ASSERT_TRUE(desktop->running()) << desktop->error();
    ProgramWindow game(*desktop, {TRIVANTA_GAME}, builtWindowClass(), 2);
    ASSERT_TRUE(game.shown());
    EXPECT_EQ(game.size().width, 960);
    EXPECT_EQ(game.size().height, 1280);

    ASSERT_TRUE(holdsWithin(8, [&] { return menuShown(game); }));
    EXPECT_TRUE(menuDrawn(game));
    const ScreenArea whole = game.area(0, 0, 480, 640);
    EXPECT_EQ(std::count(whole.pixels.begin(), whole.pixels.end(), kNotASquare), 0);
    // A desktop without a keyboard shows the picture only.
    if (!desktop->hasKeyboard())
        return;
    ASSERT_TRUE(game.type("s"));
    EXPECT_TRUE(holdsWithin(3, [&] { return menuShown(game, 1); }));
}

// On a compositor's desktop the window has a title bar above its client area, which the
// compositor draws or the program does where the compositor draws none (weston): the rows just
// above hold the bar and its caption's text, more than one colour.
TEST(GameWindowOnACompositor, HasATitleBarAboveItsClientArea) {
    if (testCompositor().empty())
        GTEST_SKIP() << "no window manager draws title bars on the private X server";
    const std::unique_ptr<Desktop> desktop = openDesktop();
    ASSERT_TRUE(desktop->running()) << desktop->error();
    ProgramWindow game(*desktop, std::vector<std::string>{TRIVANTA_GAME});
    ASSERT_TRUE(game.shown());
    ASSERT_TRUE(holdsWithin(8, [&] { return menuShown(game); }));
    const ScreenArea bar = game.area(0, -20, kClientWidth, 20);
    std::vector<uint32_t> colours = bar.pixels;
    std::sort(colours.begin(), colours.end());
    EXPECT_GE(std::unique(colours.begin(), colours.end()) - colours.begin(), 3);
}

TEST(GameWithoutDisplay, FailsFastWithAMessage) {
    if (testingWindowsBuild())
        GTEST_SKIP() << "a Windows program has no X display to miss";
    const RunWithoutDisplay run = runWithoutDisplay(TRIVANTA_GAME);
    EXPECT_NE(run.output.find("cannot open a window: "), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("no X display (DISPLAY)"), std::string::npos) << run.output;
    ASSERT_TRUE(run.exited);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.exitCode, 124) << "it waited for the time limit";
}

}  // namespace
