// The runtime in a real window on a private desktop (an X server, or a compositor's session:
// tests/support/desktop.h): a program started as a user would start it, typed to through the
// desktop; this build's, or a Windows build's under Wine (tests/support/program_command.h).
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/desktop.h"
#include "tests/support/program_command.h"
#include "tests/support/program_window.h"
#include "tests/support/x11_window.h"
#include "tests/support/xvfb.h"

namespace {

class X11Runtime : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(desktop_->running()) << desktop_->error();
        ASSERT_TRUE(program_.started());
        // Wine may take a while to start a program on a loaded machine.
        ASSERT_EQ(program_.readLine(30), "ready");
        ASSERT_TRUE(holdsWithin(30, [&] {
            return (window_ = desktop_->windowOfClass(programWindowClass(kProgram))) != 0;
        }));
        ASSERT_TRUE(desktop_->focus(window_));
    }

    // Types the keys, xdotool's usual 12 ms apart.
    bool type(const std::string& keys) { return desktop_->type(keys, 12); }

    // Types the keys and returns the codes readkey gave for them.
    std::vector<int> typed(const std::string& keys, size_t count) {
        EXPECT_TRUE(type(keys));
        std::vector<int> codes;
        while (codes.size() < count) {
            const auto line = program_.readLine();
            if (!line)
                break;
            codes.push_back(std::stoi(*line));
        }
        return codes;
    }

    static constexpr const char* kProgram = "trivanta_key_echo";

    const std::unique_ptr<Desktop> desktop_ = openDesktop();
    // The keyboard has a key for 中 before the program starts and reads its layout.
    const bool chineseKey_ = desktop_->running() && desktop_->addKey("U4E2D");
    ChildProcess program_{desktop_->command(programCommand(kProgram))};
    DesktopWindow window_ = 0;
};

TEST_F(X11Runtime, TheWindowHasItsSizeCaptionAndClass) {
    const WindowSize size = desktop_->size(window_);
    // Wine draws a Windows program's frame inside its X window.
    const int frame = testingWindowsBuild() ? size.width - 480 : 0;
    EXPECT_EQ(size.width, 480 + frame);
    EXPECT_GE(size.height, 640 + frame);
    EXPECT_EQ(desktop_->caption(window_), "TARVEL13.03 VC6x86");
}

TEST_F(X11Runtime, TypedKeysReachReadkeyWithTheirCodes) {
    EXPECT_EQ(typed("a shift+a Left F1 Num_Lock Return space Escape", 8),
              (std::vector<int>{97, 65, 0x125, 0x170, 0x90, 13, 32, 27}));
    // A Chinese character arrives as its two GBK bytes, lead byte first. On Windows the press of
    // the key that typed it comes first, as an input method's keys do: Wine names a key that no
    // Windows keyboard has after a free OEM key, and readkey reports key-downs from 0xDF up.
    ASSERT_TRUE(chineseKey_);
    std::vector<int> chinese = typed("U4E2D", testingWindowsBuild() ? 3 : 2);
    if (testingWindowsBuild() && !chinese.empty()) {
        EXPECT_GE(chinese.front(), 0xDF);
        chinese.erase(chinese.begin());
    }
    EXPECT_EQ(chinese, (std::vector<int>{0xD6, 0xD0}));
    EXPECT_EQ(typed("q", 1), (std::vector<int>{'q'}));
    EXPECT_EQ(program_.waitExit(), 0);
}

TEST_F(X11Runtime, AFatalErrorShowsItsBoxAndEndsTheProgramWithCodeMinus11) {
    EXPECT_TRUE(type("exclam"));
    DesktopWindow box = 0;
    ASSERT_TRUE(
        eventually([&] { return (box = desktop_->windowNamed("TARVEL ERROR message")) != 0; }));
    ASSERT_TRUE(desktop_->focus(box));
    EXPECT_TRUE(type("Return"));
    EXPECT_EQ(program_.waitExit(), 245);  // -11 as the system reports it
}

TEST_F(X11Runtime, TheCloseButtonEndsTheProgramWithCodeZero) {
    ASSERT_TRUE(desktop_->close(window_));
    EXPECT_EQ(program_.waitExit(), 0);
}

// A key held down repeats until it is let go: on X11 the server repeats it, on Wayland the
// program does, at the compositor's rate after its delay.
class HeldKey : public X11Runtime {};

TEST_F(HeldKey, RepeatsUntilLetGo) {
    ASSERT_TRUE(desktop_->hold("a", 1500));
    ASSERT_TRUE(type("q"));
    int repeats = -1;
    for (std::optional<std::string> line; (line = program_.readLine()) && *line != "113";)
        repeats += *line == "97" ? 1 : 0;
    EXPECT_GE(repeats, 2);
    EXPECT_EQ(program_.waitExit(), 0);
}

TEST(X11RuntimeWithoutDisplay, InitgraphFailsFastWithAMessage) {
    if (testingWindowsBuild())
        GTEST_SKIP() << "a Windows program has no X display to miss";
    // Asked for X11, the program says what its connection found.
    const RunWithoutDisplay run =
        runWithoutDisplay("env TRIVANTA_BACKEND=x11 " + builtProgram("trivanta_key_echo"));
    EXPECT_NE(run.output.find("cannot open the X display"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("ready"), std::string::npos);
    ASSERT_TRUE(run.exited);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.exitCode, 124) << "it waited for the time limit";
}

}  // namespace
