// Frame pacing and presentation, in virtual time.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "platform/backend.h"
#include "runtime/graph_state.h"
#include "tests/support/runtime_window.h"

namespace {

using platform::headless::frameCount;

class Pacing : public ::testing::Test {
protected:
    void SetUp() override {
        openHeadlessWindow(64, 48);
        setmanualpresent(0);
        delayframe(0);
        delayframe(-1);  // a presentation, so that nothing is left to show
    }
    GraphState& gs = graphstate();
};

TEST_F(Pacing, LongFramesWaitTheirTimeAndPresentAtStartAndEnd) {
    const int64_t frames = frameCount();
    const double start = now();
    delayframe(1000);
    EXPECT_GE(now() - start, 1000.0);
    EXPECT_LT(now() - start, 1002.0);
    EXPECT_EQ(frameCount() - frames, 2);
    EXPECT_EQ(gs.refreshcountdown, kRefreshFresh);
}

TEST_F(Pacing, ShortFramesWithNothingDrawnPresentOnlyAtTheEnd) {
    const int64_t frames = frameCount();
    const double start = now();
    delayframe(5);
    EXPECT_GE(now() - start, 5.0);
    EXPECT_EQ(frameCount() - frames, 1);

    // Something drawn is shown at once, and again at the end.
    fillbar(0, 0, 4, 4);
    const int64_t before = frameCount();
    delayframe(5);
    EXPECT_EQ(frameCount() - before, 2);
}

// A wait that starts between two ticks of the clock ends with a fraction of a millisecond
// paused through and polled: polling the clock is no early wake-up and presents nothing.
TEST_F(Pacing, ShortFramesPresentOncePerCallWhateverTheWait) {
    for (int ms : {1, 2, 5, 16, 49}) {
        platform::backend().pauseNs(500'000);
        const int64_t frames = frameCount();
        delayframe(ms);
        EXPECT_EQ(frameCount() - frames, 1) << "delayframe(" << ms << ") with nothing drawn";

        platform::backend().pauseNs(500'000);
        fillbar(0, 0, 4, 4);
        const int64_t drawn = frameCount();
        delayframe(ms);
        EXPECT_EQ(frameCount() - drawn, 2) << "delayframe(" << ms << ") after drawing";
    }
}

TEST_F(Pacing, ZeroShowsOnlyWhatWasDrawnAndNegativeDoesNotWait) {
    int64_t frames = frameCount();
    double start = now();
    delayframe(0);
    EXPECT_EQ(now(), start);
    EXPECT_EQ(frameCount(), frames);

    fillbar(0, 0, 4, 4);
    delayframe(0);
    // One millisecond of sleep, ending on the next tick of the clock.
    EXPECT_GE(now() - start, 1.0);
    EXPECT_LT(now() - start, 2.0);
    EXPECT_EQ(frameCount(), frames + 1);
    EXPECT_EQ(gs.refreshcountdown, kRefreshFresh - 1);

    frames = frameCount();
    start = now();
    delayframe(-5);
    EXPECT_LT(now() - start, 0.01);  // no more than reading the clock
    EXPECT_EQ(frameCount(), frames + 1);
}

TEST_F(Pacing, DelayRateKeepsACadenceWithoutDrift) {
    const double period = 1000.0 / 60;
    delayrate(60);
    const double first = now();
    for (int frame = 1; frame <= 600; ++frame) {
        delayrate(60);
        // Each frame ends on its own deadline, give or take the timer's tick, never drifting.
        ASSERT_NEAR(now() - first, frame * period, 1.0) << frame;
    }
    EXPECT_NEAR((now() - first) / 600, period, 0.002);
    // After a stall the cadence restarts from where the stall ended.
    timersleep(1000);
    const double stallEnd = now();
    delayrate(60);
    delayrate(60);
    EXPECT_GE(now() - stallEnd, period);
    EXPECT_LT(now() - stallEnd, 2 * period + 1.0);
    // A rate that is not positive does not wait for ever.
    delayrate(0);
    delayrate(-5);
    delayrate(std::nan(""));
}

TEST_F(Pacing, ARateOfAFrameAMonthWaitsItsPeriod) {
    // Without the refresh timer, a month of virtual time passes in a few sleeps.
    setmanualpresent(1);
    const double period = 3.0 * INT_MAX;  // milliseconds: more than an int holds
    delayrate(1000 / period);
    const double start = now();
    delayrate(1000 / period);
    EXPECT_GE(now() - start, period - 1);
    EXPECT_LT(now() - start, period + 1);
}

TEST_F(Pacing, TheTimerPresentsAfterEnoughDrawingWithoutPacing) {
    const int64_t frames = frameCount();
    for (int i = 0; i < 300; ++i)
        fillbar(i % 64, 0, i % 64 + 1, 1);
    EXPECT_LE(gs.refreshcountdown, 0);
    timersleep(60);  // longer than one timer interval
    EXPECT_GE(frameCount(), frames + 1);
    EXPECT_EQ(gs.refreshcountdown, kRefreshFresh);
    // Ticks with nothing to show park the timer; using up the countdown starts it again.
    timersleep(60);
    const int64_t parked = frameCount();
    for (int i = 0; i < 300; ++i)
        fillbar(i % 64, 0, i % 64 + 1, 1);
    timersleep(60);
    EXPECT_EQ(frameCount(), parked + 1);

    // Manual presentation switches the timer off: drawing alone shows nothing any more.
    setmanualpresent(1);
    const double start = now();
    setmanualpresent(1);  // already on: returns at once
    EXPECT_EQ(now(), start);
    const int64_t manual = frameCount();
    for (int i = 0; i < 300; ++i)
        fillbar(0, 0, 1, 1);
    timersleep(200);
    EXPECT_EQ(frameCount(), manual);
    setmanualpresent(0);
    EXPECT_EQ(frameCount(), manual + 1);
}

TEST_F(Pacing, AHiddenWindowOnlyResetsTheCountdown) {
    hidegraph();
    EXPECT_FALSE(platform::headless::windowVisible());
    const int64_t frames = frameCount();
    fillbar(0, 0, 8, 8);
    delayframe(5);
    EXPECT_EQ(frameCount(), frames);
    EXPECT_EQ(gs.refreshcountdown, kRefreshFresh);
    initgraph(64, 48);
    EXPECT_TRUE(platform::headless::windowVisible());
}

TEST_F(Pacing, TheWindowShowsTheViewOfTheShownPage) {
    setbrushcolor(0xFF0000);
    fillbar(0, 0, 64, 48);
    setbrushcolor(0x00FF00);
    fillbar(10, 20, 11, 21);
    delayframe(1);
    platform::headless::Frame frame = platform::headless::lastFrame();
    EXPECT_EQ(frame.width, 64);
    EXPECT_EQ(frame.pixel(10, 20), 0x00FF00u);
    EXPECT_EQ(frame.pixel(11, 20), 0xFF0000u);

    // Drawing on page 1 while page 0 is shown changes nothing in the window.
    setdrawpage(1);
    settarget(nullptr);
    setbrushcolor(0x0000FF);
    fillbar(0, 0, 64, 48);
    delayframe(1);
    EXPECT_EQ(platform::headless::lastFrame().pixel(0, 0), 0xFF0000u);
    setshowpage(1);
    delayframe(1);
    EXPECT_EQ(platform::headless::lastFrame().pixel(0, 0), 0x0000FFu);
    setshowpage(0);
    setdrawpage(0);
    settarget(nullptr);
}

}  // namespace
