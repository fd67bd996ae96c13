// The game's routines run for real on the headless window: a fresh page as the main menu leaves
// it, keys scripted on the virtual clock, and the frames the window shows while a routine runs.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>
#include <ostream>
#include <thread>
#include <vector>

#include "game/state.h"
#include "tests/support/game_board.h"
#include "tests/support/game_screen.h"
#include "tests/support/runtime_window.h"
#include "tests/support/test_page.h"

// The base of a parametrised test's case: gtest names the case by `what` in its messages.
struct Described {
    const char* what;
};
inline std::ostream& operator<<(std::ostream& out, const Described& described) {
    return out << described.what;
}

// A key pressed a given time after a routine starts.
struct TimedKey {
    double afterMs;
    const char* keysym;
};

// Each test starts on a fresh black 480 x 640 page with 宋体 24 x 12 selected (the font the menu
// leaves for the playing screen) and no input pending; it ends once every key it scripted has
// arrived and been thrown away, so that nothing reaches the next test.
class GameSession : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A key press (down, characters, up) at a virtual time, in milliseconds on the now() clock.
    void press(double atMs, const char* keysym);
    // A character message with any code, such as 10, which a plain key press does not type.
    void typeCode(double atMs, int code);
    // A key pressed a moment from now and queued, for the readers that only look at what waits.
    void pressNow(const char* keysym);

    // Runs a routine that waits for keys. Should it still run ten seconds after the last scripted
    // key, q and space are typed until it returns, and the test fails instead of hanging.
    void runScripted(const std::function<void()>& routine);
    // Presses the keys at their times from now and runs the routine with them.
    void runWithKeys(const std::vector<TimedKey>& keys, const std::function<void()>& routine);

private:
    void scripted(double atMs);

    std::unique_ptr<TestPage> page_;
    double lastScripted_ = 0;
};

// Writes the rows into the game's board, the last one at `lastRow`, and paints the well's blocks
// as earlier landings would have left them on screen.
void setUpWell(int lastRow, const Rows& rows);

// Watches the frames the window shows while it lives and keeps those `keep` accepts (all when
// none is given); `keep` is called with the watch's lock held, so it may remember what it saw. It
// can also change the game's state when the first frame is shown, on the game's thread: in a game,
// that is the first fall step of the first piece, which lets a test set up a board that a real game
// reaches only after many pieces.
class FrameWatch {
public:
    using Keep = std::function<bool(const Frame&)>;
    using Change = std::function<void(GameState&)>;

    explicit FrameWatch(Keep keep = {}, Change atFirstFrame = {});
    ~FrameWatch();
    FrameWatch(const FrameWatch&) = delete;
    FrameWatch& operator=(const FrameWatch&) = delete;

    std::vector<Frame> frames() const;
    // Whether a kept frame passes the test.
    bool any(const Keep& test) const;

private:
    void seen(const Frame& frame);

    Keep keep_;
    Change atFirstFrame_;
    std::thread::id gameThread_ = std::this_thread::get_id();
    mutable std::mutex lock_;  // guards keep_ and kept_: frames arrive on either thread
    std::vector<Frame> kept_;
};
