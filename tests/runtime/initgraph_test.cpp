// Bringing the runtime up: the window, its pages and the record.
#include <gtest/gtest.h>

#include "runtime/graph_state.h"
#include "tests/support/pixels.h"
#include "tests/support/runtime_window.h"

namespace {

using platform::headless::captionUtf8;
using platform::headless::windowClientSize;

TEST(Initgraph, OpensTheWindowWithPageZeroAsTarget) {
    openHeadlessWindow(480, 640);
    GraphState& gs = graphstate();
    EXPECT_EQ(windowClientSize().width, 480);
    EXPECT_EQ(windowClientSize().height, 640);
    EXPECT_TRUE(platform::headless::windowVisible());
    EXPECT_EQ(imagewidth(), 480);
    EXPECT_EQ(imageheight(), 640);
    EXPECT_EQ(gs.target, gs.pages[0].load());
    EXPECT_EQ(gs.initdone, 1);
    EXPECT_EQ(gettarget(), nullptr);
    // A fresh page holds nothing but its background (black in a fresh process).
    EXPECT_EQ(countColor(gs.pages[0], getbackcolor(gs.pages[0]), 0, 0, 480, 640), 480 * 640);
}

TEST(Initgraph, SettitleSetsTheCaptionFromGbk) {
    openHeadlessWindow(480, 640);
    settitle("Trivanta \xD6\xD0\xCE\xC4");  // "Trivanta 中文"
    EXPECT_EQ(captionUtf8(), "Trivanta \xE4\xB8\xAD\xE6\x96\x87");
    settitle(nullptr);
    EXPECT_EQ(captionUtf8(), "Trivanta \xE4\xB8\xAD\xE6\x96\x87");
}

// Only the first initgraph of a process names the window and places the mouse, so this runs in
// a process of its own.
TEST(InitgraphDeathTest, AFreshWindowHasTheRuntimesCaptionAndTheMouseInTheMiddle) {
    EXPECT_EXIT(
        {
            openHeadlessWindow(480, 640);
            const GraphState& gs = graphstate();
            const bool first = captionUtf8() == "TARVEL13.03 VC6x86";
            std::exit(first && gs.mousex == 240 && gs.mousey == 320 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(Initgraph, NegativeAndOversizedSizesTakeTheDesktops) {
    openHeadlessWindow(-1, 300);
    EXPECT_EQ(imagewidth(), 1920);
    EXPECT_EQ(imageheight(), 300);
    openHeadlessWindow(200, 32768);  // only the low 16 bits count: negative
    EXPECT_EQ(imagewidth(), 200);
    EXPECT_EQ(imageheight(), 1080);
    EXPECT_EQ(windowClientSize().height, 1080);
}

TEST(Initgraph, ALaterCallResizesPagesAndWindowAndShowsItAgain) {
    openHeadlessWindow(100, 80);
    setdrawpage(2);
    settarget(nullptr);
    setpencolor(0x123456);
    hidegraph();
    EXPECT_FALSE(platform::headless::windowVisible());
    openHeadlessWindow(120, 90);
    const GraphState& gs = graphstate();
    EXPECT_TRUE(platform::headless::windowVisible());
    EXPECT_EQ(windowClientSize().width, 120);
    EXPECT_EQ(imagewidth(gs.pages[2]), 120);
    EXPECT_EQ(getpencolor(gs.pages[2]), 0x123456u);  // drawing state survives
    EXPECT_EQ(gs.drawpage, 0);
    EXPECT_EQ(gs.target, gs.pages[0].load());
}

TEST(Initgraph, PagesOutsideTheTableAreIgnored) {
    openHeadlessWindow(50, 40);
    const GraphState& gs = graphstate();
    setdrawpage(4);
    setdrawpage(-1);
    setshowpage(7);
    EXPECT_EQ(gs.drawpage, 0);
    EXPECT_EQ(gs.showpage, 0);
}

TEST(Initgraph, WindowViewShowsPartOfThePageAndSizesTheWindow) {
    openHeadlessWindow(100, 80);
    setbrushcolor(0xFF0000);
    fillbar(30, 20, 31, 21);
    setwindowview(30, 20, 70, 60);
    EXPECT_EQ(windowClientSize().width, 40);
    delayframe(1);
    // Presentations put the client area back to the size initgraph asked for.
    EXPECT_EQ(windowClientSize().width, 100);
    EXPECT_EQ(platform::headless::lastFrame().pixel(0, 0), 0xFF0000u);
    setwindowview(0, 0, 100, 80);
}

}  // namespace
