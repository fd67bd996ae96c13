// The whole program as a player meets it: build/trivanta started on a private X server, driven
// with xdotool and watched through the server, pixels checked where the game draws them.
#include <gtest/gtest.h>

// Xlib's macros would break gtest's headers, so Xlib comes after them.
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "assets/logo.h"
#include "runtime/graph.h"
#include "tests/support/child_process.h"
#include "tests/support/runtime_window.h"
#include "tests/support/x11_screen.h"
#include "tests/support/x11_window.h"
#include "tests/support/xvfb.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

// How much longer things may take in a sanitized build.
#ifdef TRIVANTA_SLOW_BUILD
constexpr double kSlowdown = 4;
#else
constexpr double kSlowdown = 1;
#endif

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Polls until the condition holds, for at most `seconds` (longer in a sanitized build).
bool within(double seconds, const std::function<bool()>& condition) {
    const Clock::time_point start = Clock::now();
    while (!condition()) {
        if (secondsSince(start) > seconds * kSlowdown)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

class GameWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server_.running()) << server_.error();
        ASSERT_TRUE(game_.started());
        ASSERT_TRUE(within(5, [&] { return (window_ = findWindowOfClass(display(), "Tarvel")); }));
        appeared_ = Clock::now();
        ASSERT_TRUE(focusWhenViewable(display(), window_));
    }

    Display* display() { return server_.connection(); }
    uint32_t pixel(int x, int y) { return windowPixel(display(), window_, x, y); }
    std::string caption() { return textProperty(display(), window_, "_NET_WM_NAME"); }
    void press(const std::string& keys) {
        ASSERT_EQ(std::system(("xdotool key --delay 60 " + keys).c_str()), 0);
    }
    // The menu, with its cursor on "start".
    bool menuShown() { return pixel(186, 296) == kGreen && pixel(190, 300) == kBlue; }
    void waitForMenu() {
        ASSERT_TRUE(within(8, [&] { return caption() == "Trivanta" && menuShown(); }));
    }
    bool helpShown() { return pixel(40 + 15, 300 + 15) == kBlue && pixel(186, 536) == kGreen; }

    Xvfb server_;
    ChildProcess game_{{TRIVANTA_GAME}};
    ::Window window_ = 0;
    Clock::time_point appeared_;
};

TEST_F(GameWindow, OpensWithTheLogoThenShowsTheMenu) {
    XWindowAttributes attributes{};
    ASSERT_NE(XGetWindowAttributes(display(), window_, &attributes), 0);
    EXPECT_EQ(attributes.width, 480);
    EXPECT_EQ(attributes.height, 640);
    EXPECT_EQ(caption(), "TARVEL13.03 VC6x86");

    // The still logo: its middle pixel exactly, at the centre of the window. The test decodes
    // the logo with the runtime of its own.
    openHeadlessWindow(16, 16);
    PIMAGE logo = newimage();
    logo->getimage(assets::kLogoJpeg, assets::kLogoJpegSize);
    const uint32_t middle = readpixel(200, 100, logo);
    freeimage(logo);
    EXPECT_TRUE(within(3, [&] { return pixel(240, 320) == middle && pixel(39, 320) == kWhite; }));

    waitForMenu();
    const double menuAfter = secondsSince(appeared_);
    EXPECT_GT(menuAfter, 3.0);
    EXPECT_LT(menuAfter, 5.0 * kSlowdown);
    // The title in yellow, three blue-framed buttons, the first ringed in green.
    EXPECT_EQ(pixel(293, 335), kGreen);
    EXPECT_EQ(pixel(190, 420), kBlue);
    EXPECT_EQ(pixel(200, 345), kBlack);
    const ScreenArea title = readWindow(display(), window_, 100, 100, 200, 48);
    EXPECT_NE(std::count(title.pixels.begin(), title.pixels.end(), 0xFFFF00u), 0);
}

TEST_F(GameWindow, ShowsBothHelpPagesAndComesBack) {
    waitForMenu();
    press("s space");
    ASSERT_TRUE(within(3, [&] { return helpShown(); }));
    EXPECT_EQ(pixel(70 + 15, 300 + 15), kGreen);
    EXPECT_EQ(pixel(100 + 15, 300 + 15), kBlack);  // the empty cell of the first picture
    press("Return");                               // only space turns the page
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(helpShown());

    press("space");
    // The special blocks: greys, a white square, a white frame, the disc and the ring.
    ASSERT_TRUE(within(3, [&] { return pixel(40 + 15, 330 + 15) == 0x808080; }));
    EXPECT_EQ(pixel(300 + 15, 350 + 15), kWhite);
    EXPECT_EQ(pixel(390 + 1, 350 + 15), kWhite);
    EXPECT_EQ(pixel(390 + 15, 350 + 15), kBlack);
    EXPECT_EQ(pixel(235, 365), kWhite);
    EXPECT_EQ(pixel(145, 365), kBlack);
    EXPECT_EQ(pixel(145 + 12, 365), kWhite);

    press("space");
    EXPECT_TRUE(within(3, [&] { return menuShown(); }));
}

// The lowest row of the well that shows a block, or -1.
int lowestBlockRow(Display* display, ::Window window) {
    const ScreenArea well = readWindow(display, window, 40, 50, 270, 540);
    for (int y = 50 + 539; y >= 50; --y) {
        for (int x = 40; x < 310; ++x) {
            if (well.at(x, y) != kBlack)
                return y;
        }
    }
    return -1;
}

TEST_F(GameWindow, PiecesFallAtTheFirstLevelsSpeedAndQQuits) {
    waitForMenu();
    press("space");
    // The well's white frame and the first level's green mode name.
    ASSERT_TRUE(within(3, [&] { return pixel(38, 48) == kWhite && pixel(311, 300) == kWhite; }));
    const ScreenArea mode = readWindow(display(), window_, 330, 260, 48, 24);
    EXPECT_NE(std::count(mode.pixels.begin(), mode.pixels.end(), kGreen), 0);

    // A row every 600 ms: 3 pixels every 60 ms, 50 pixels a second.
    ASSERT_TRUE(within(3, [&] { return lowestBlockRow(display(), window_) > 60; }));
    const int first = lowestBlockRow(display(), window_);
    const Clock::time_point firstSeen = Clock::now();
    std::this_thread::sleep_for(1500ms);
    const int second = lowestBlockRow(display(), window_);
    const double speed = (second - first) / secondsSince(firstSeen);
    EXPECT_GT(speed, 35.0 / kSlowdown);
    EXPECT_LT(speed, 65.0);

    press("q");
    EXPECT_TRUE(within(3, [&] { return menuShown(); }));
}

// Pieces dropped one after the other pile up until one has no room: the game-over screen, and
// space back to the menu. Every piece costs its three seconds of landing pauses, so this runs for
// a minute or more, and is left to the builds that run at full speed.
TEST_F(GameWindow, DroppedPiecesEndTheGameOnTheGameOverScreen) {
    if (kSlowdown > 1)
        GTEST_SKIP() << "too slow in a sanitized build";
    waitForMenu();
    press("space");
    const auto gameOver = [&] { return pixel(186, 416) == kGreen && pixel(190, 420) == kBlue; };
    ASSERT_TRUE(within(180, [&] {
        if (gameOver())
            return true;
        press("s");
        return false;
    }));
    const ScreenArea title = readWindow(display(), window_, 140, 100, 216, 48);
    EXPECT_NE(std::count(title.pixels.begin(), title.pixels.end(), 0xFFFF00u), 0);
    press("Return q");  // neither leaves
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(gameOver());
    press("space");
    EXPECT_TRUE(within(3, [&] { return menuShown(); }));
}

TEST_F(GameWindow, ExitEndsTheProgramWithCodeZero) {
    waitForMenu();
    press("s s space");
    EXPECT_EQ(game_.waitExit(3 * kSlowdown), 0);
}

TEST_F(GameWindow, TheCloseButtonDuringTheLogoEndsTheProgramWithCodeZero) {
    std::this_thread::sleep_for(500ms);
    sendCloseRequest(display(), window_);
    XSync(display(), False);
    EXPECT_EQ(game_.waitExit(2 * kSlowdown), 0);
}

TEST_F(GameWindow, TheCloseButtonDuringAGameEndsTheProgramWithCodeZero) {
    waitForMenu();
    press("space");
    ASSERT_TRUE(within(3, [&] { return lowestBlockRow(display(), window_) > 60; }));
    sendCloseRequest(display(), window_);
    XSync(display(), False);
    EXPECT_EQ(game_.waitExit(2 * kSlowdown), 0);
}

TEST(GameWithoutDisplay, FailsFastWithAMessage) {
    const RunWithoutDisplay run = runWithoutDisplay(TRIVANTA_GAME);
    EXPECT_NE(run.output.find("cannot open the X display"), std::string::npos) << run.output;
    ASSERT_TRUE(run.exited);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.exitCode, 124) << "it waited for the time limit";
}

}  // namespace
