// The runtime in a real window on an X server: a program started as a user would start it,
// driven with xdotool.
#include <gtest/gtest.h>

// Xlib's macros (None, Bool) would break gtest's headers, so Xlib comes after them.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/child_process.h"
#include "tests/support/x11_screen.h"
#include "tests/support/x11_window.h"
#include "tests/support/xvfb.h"

namespace {

class X11Runtime : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server_.running()) << server_.error();
        ASSERT_TRUE(program_.started());
        ASSERT_EQ(program_.readLine(), "ready");
        ASSERT_TRUE(
            eventually([&] { return (window_ = findWindowOfClass(display(), "Tarvel")) != 0; }));
        ASSERT_TRUE(focusWhenViewable(display(), window_));
    }

    Display* display() { return server_.connection(); }

    // Types the keys and returns the codes readkey gave for them.
    std::vector<int> typed(const std::string& keys, size_t count) {
        EXPECT_EQ(std::system(("xdotool key " + keys).c_str()), 0);
        std::vector<int> codes;
        while (codes.size() < count) {
            const auto line = program_.readLine();
            if (!line)
                break;
            codes.push_back(std::stoi(*line));
        }
        return codes;
    }

    Xvfb server_;
    ChildProcess program_{{builtProgram("trivanta_key_echo")}};
    ::Window window_ = 0;
};

TEST_F(X11Runtime, TheWindowHasItsSizeCaptionAndClass) {
    XWindowAttributes attributes{};
    ASSERT_NE(XGetWindowAttributes(display(), window_, &attributes), 0);
    EXPECT_EQ(attributes.width, 480);
    EXPECT_EQ(attributes.height, 640);
    EXPECT_EQ(textProperty(display(), window_, "_NET_WM_NAME"), "TARVEL13.03 VC6x86");
}

TEST_F(X11Runtime, TypedKeysReachReadkeyWithTheirCodes) {
    EXPECT_EQ(typed("a shift+a Left F1 Num_Lock Return space Escape", 8),
              (std::vector<int>{97, 65, 0x125, 0x170, 0x90, 13, 32, 27}));
    EXPECT_EQ(typed("q", 1), (std::vector<int>{'q'}));
    EXPECT_EQ(program_.waitExit(), 0);
}

TEST_F(X11Runtime, TheCloseButtonEndsTheProgramWithCodeZero) {
    sendCloseRequest(display(), window_);
    XSync(display(), False);
    EXPECT_EQ(program_.waitExit(), 0);
}

TEST(X11RuntimeWithoutDisplay, InitgraphFailsFastWithAMessage) {
    const RunWithoutDisplay run = runWithoutDisplay(builtProgram("trivanta_key_echo"));
    EXPECT_NE(run.output.find("cannot open the X display"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("ready"), std::string::npos);
    ASSERT_TRUE(run.exited);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.exitCode, 124) << "it waited for the time limit";
}

}  // namespace
