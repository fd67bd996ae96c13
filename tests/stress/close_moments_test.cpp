// The window's close button at a random moment of each phase of a session: whatever the game is
// doing, the process ends with exit code 0 at once, without sitting out a pause of the game.
// The logo is the real game's; the other phases are set up by trivanta_close_moment, which runs
// the game's own routine for each (tests/programs/close_moment.cpp), so that phases a real
// session reaches only by chance are closed as reliably as the menu. A Windows build's programs are
// closed alike under Wine (tests/support/program_command.h), and on each desktop the tests know
// (tests/support/desktop.h).
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <thread>

#include "tests/support/desktop.h"
#include "tests/support/program_screens.h"
#include "tests/support/program_window.h"

namespace {

// Well under the game's one-second pauses, which a close that waited for the main thread would
// sit out, and far above the few milliseconds it takes: a loaded machine took 240 ms.
constexpr double kCloseWithinMs = 600;
// Long enough to tell a slow exit from none.
constexpr double kPatienceSeconds = 5;

// A random pause of up to `latestMs` from the moment on; the trace names it when a test fails.
int randomDelayMs(int latestMs) {
    std::random_device seed;
    return std::uniform_int_distribution<int>(0, latestMs)(seed);
}

void closeWithinTheBound(ProgramWindow& program, int latestMs) {
    const int delayMs = randomDelayMs(latestMs);
    SCOPED_TRACE("closed " + std::to_string(delayMs) + " ms into the moment");
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    const Ending ending = program.closeAndWait(kPatienceSeconds * slowdown());
    EXPECT_EQ(ending.code, 0) << "(trivanta_close_moment's 3: the moment was over before)";
    EXPECT_LT(ending.ms, kCloseWithinMs * slowdown());
}

TEST(CloseAtAMoment, DuringTheLogo) {
    const std::unique_ptr<Desktop> desktop = openDesktop();
    ASSERT_TRUE(desktop->running()) << desktop->error();
    ProgramWindow game(*desktop, "trivanta");
    ASSERT_TRUE(game.shown());
    // The logo plays for about three and a half seconds from the window's appearance.
    closeWithinTheBound(game, 2500);
}

struct Moment {
    const char* name;  // trivanta_close_moment's argument
    // Whether the window shows the moment.
    std::function<bool(const ProgramWindow&)> shown;
    // How long the moment lasts once it shows, at the least.
    int lastsMs;
};

std::ostream& operator<<(std::ostream& out, const Moment& moment) {
    return out << moment.name;
}

class CloseAtAProgramMoment : public ::testing::TestWithParam<Moment> {};

TEST_P(CloseAtAProgramMoment, EndsTheProgramWithCodeZero) {
    const std::unique_ptr<Desktop> desktop = openDesktop();
    ASSERT_TRUE(desktop->running()) << desktop->error();
    ProgramWindow program(*desktop, "trivanta_close_moment", {GetParam().name});
    ASSERT_TRUE(program.shown());
    ASSERT_EQ(program.process().readLine(), "ready");
    ASSERT_TRUE(holdsWithin(5, [&] { return GetParam().shown(program); }));
    closeWithinTheBound(program, GetParam().lastsMs);
}

// The clearing shows as the playing screen with the cleared line's cells black; it lasts the
// pause after the clear and the one after the score is redrawn.
bool clearedLineShown(const ProgramWindow& program) {
    return playingScreenShown(program) && program.pixel(40 + 45, 20 + 18 * 30 + 15) == 0;
}

// The waiting screens last until a key; the falling piece takes seconds to reach the floor.
INSTANTIATE_TEST_SUITE_P(
    Moments, CloseAtAProgramMoment,
    ::testing::Values(Moment{"menu", [](const auto& p) { return menuShown(p); }, 1000},
                      Moment{"help", helpShown, 1000}, Moment{"falling", wellHasBlock, 1000},
                      Moment{"clearing", clearedLineShown, 1500},
                      Moment{"chooser", chooserShown, 1000},
                      Moment{"gameover", gameOverShown, 1000}),
    [](const ::testing::TestParamInfo<Moment>& info) { return std::string(info.param.name); });

}  // namespace
