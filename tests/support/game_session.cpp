#include "tests/support/game_session.h"

#include <algorithm>

#include "game/texts.h"
#include "platform/headless/headless.h"
#include "platform/messages.h"

namespace {

// How long after its last scripted key a routine may still run before it is rescued.
constexpr double kRescueAfterMs = 10000;
constexpr int kRescueRounds = 4;
constexpr double kRescueSpacingMs = 200;
// A press holds its key down this long; the key-up is the last thing it sends.
constexpr double kHoldMs = 30;

}  // namespace

void GameSession::SetUp() {
    page_ = std::make_unique<TestPage>(480, 640);
    drainInput();
    setfontface(24, 12, text::kSong);
    lastScripted_ = now();
}

void GameSession::TearDown() {
    const double wait = lastScripted_ + kHoldMs + 10 - now();
    if (wait > 0)
        timersleep(static_cast<int>(wait));
    drainInput();
    page_.reset();
}

void GameSession::scripted(double atMs) {
    lastScripted_ = std::max(lastScripted_, atMs);
}

void GameSession::press(double atMs, const char* keysym) {
    platform::headless::pressKey(atMs, keysym, kHoldMs);
    scripted(atMs + kHoldMs);
}

void GameSession::typeCode(double atMs, int code) {
    platform::headless::sendMessage(atMs, {msg::kChar, static_cast<uintptr_t>(code), 1});
    scripted(atMs);
}

void GameSession::pressNow(const char* keysym) {
    press(now() + 1, keysym);
    timersleep(static_cast<int>(kHoldMs) + 5);
}

void GameSession::runScripted(const std::function<void()>& routine) {
    const double rescueAt = lastScripted_ + kRescueAfterMs;
    for (int round = 0; round < kRescueRounds; ++round) {
        press(rescueAt + 2 * round * kRescueSpacingMs, "q");
        press(rescueAt + (2 * round + 1) * kRescueSpacingMs, "space");
    }
    routine();
    EXPECT_LT(now(), rescueAt) << "the routine did not end as scripted: the rescue keys ended it";
}

void GameSession::runWithKeys(const std::vector<TimedKey>& keys,
                              const std::function<void()>& routine) {
    const double start = now();
    for (const TimedKey& key : keys)
        press(start + key.afterMs, key.keysym);
    runScripted(routine);
}

void setUpWell(int lastRow, const Rows& rows) {
    setRows(game().board, lastRow, rows);
    paintBlocks(game().board);
}

FrameWatch::FrameWatch(Keep keep, Change atFirstFrame)
    : keep_(std::move(keep)), atFirstFrame_(std::move(atFirstFrame)) {
    platform::headless::observeFrames([this](const Frame& frame) { seen(frame); });
}

FrameWatch::~FrameWatch() {
    platform::headless::observeFrames(nullptr);
}

void FrameWatch::seen(const Frame& frame) {
    // Only the game's own presentations may touch its state.
    if (atFirstFrame_ && std::this_thread::get_id() == gameThread_) {
        atFirstFrame_(game());
        atFirstFrame_ = nullptr;
    }
    std::lock_guard guard(lock_);
    if (!keep_ || keep_(frame))
        kept_.push_back(frame);
}

std::vector<Frame> FrameWatch::frames() const {
    std::lock_guard guard(lock_);
    return kept_;
}

bool FrameWatch::any(const Keep& test) const {
    std::lock_guard guard(lock_);
    return std::any_of(kept_.begin(), kept_.end(), test);
}
