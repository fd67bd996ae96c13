// Ten thousand keys typed as fast as the X server takes them, far faster than anything reads
// them: the runtime's key queue keeps the newest and loses the oldest, and the game and its
// menu neither crash nor stop answering.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "runtime/event_queue.h"
#include "tests/support/desktop.h"
#include "tests/support/program_screens.h"
#include "tests/support/program_window.h"
#include "tests/support/x11_desktop.h"

// Xlib's macros would break gtest's headers, so Xlib comes after them.
#include <X11/Xlib.h>

namespace {

constexpr int kFloodKeys = 10'000;

// kFloodKeys letters drawn from `alphabet`, the same every run.
std::string floodOf(const std::string& alphabet) {
    std::mt19937 generator(20240611);
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    std::string letters;
    for (int i = 0; i < kFloodKeys; ++i)
        letters += alphabet[pick(generator)];
    return letters;
}

// The letters as xdotool key names.
std::string keyNames(const std::string& letters) {
    std::string names;
    for (const char letter : letters) {
        names += letter;
        names += ' ';
    }
    return names;
}

// On an X server, whose key repeat and held keys it sets.
TEST(KeyQueueFlood, KeepsTheNewestKeysAndLosesTheOldest) {
    X11Desktop server;
    ASSERT_TRUE(server.running()) << server.error();
    ProgramWindow program(server, std::vector<std::string>{builtProgram("trivanta_key_flood")});
    ASSERT_TRUE(program.shown());
    ASSERT_EQ(program.process().readLine(), "ready");

    const std::string typed = floodOf("abcdefghijklmnopqrstuvwxyz");
    ASSERT_TRUE(program.type(keyNames(typed), 0));
    // Held, not released: the program reads once it sees this key down. The server must not
    // repeat it while a slow program reads, or the repeats would take the letters' places.
    XAutoRepeatOff(server.connection());
    XSync(server.connection(), False);
    ASSERT_EQ(std::system("xdotool keydown F12"), 0);
    std::string read;
    std::vector<int> others;
    for (;;) {
        const std::optional<std::string> line = program.process().readLine();
        ASSERT_TRUE(line.has_value()) << "after " << read.size() << " keys";
        if (*line == "end")
            break;
        const int code = std::stoi(*line);
        if (code < 0x100)
            read += static_cast<char>(code);
        else
            others.push_back(code);
    }
    EXPECT_EQ(std::system("xdotool keyup F12"), 0);

    // The ring keeps its newest kSlots - 1 events: the F12 key-down, and before it the letters'
    // events, three a letter (key-down, character, key-up). Of the oldest letter kept only the
    // key-down may be lost, so a part of three counts as a letter.
    const size_t letterEvents = EventQueue::kSlots - 1 - 1;
    EXPECT_EQ(read.size(), (letterEvents + 2) / 3);
    EXPECT_LE(read.size() + others.size(), static_cast<size_t>(EventQueue::kSlots - 1));
    EXPECT_EQ(typed.substr(typed.size() - read.size()), read) << "not the last keys typed";
    EXPECT_EQ(others, std::vector<int>{0x100 + 0x7B}) << "F12, last";
    EXPECT_EQ(program.process().waitExit(5 * kSlowdown), 0);
}

// The real game, started on its own desktop and waited for until its menu shows.
class GameFlood : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(desktop_->running()) << desktop_->error();
        ASSERT_TRUE(game_.shown());
        ASSERT_TRUE(holdsWithin(8, [&] { return menuShown(game_); }));
    }

    // The menu's exit, which must end the program normally.
    void leaveThroughTheMenu() {
        ASSERT_TRUE(menuShown(game_, 0));
        ASSERT_TRUE(game_.type("s s space"));
        EXPECT_EQ(game_.process().waitExit(5 * kSlowdown), 0);
    }

    const std::unique_ptr<Desktop> desktop_ = openDesktop();
    ProgramWindow game_{*desktop_, std::vector<std::string>{TRIVANTA_GAME}};
};

TEST_F(GameFlood, AGameSurvivesAFloodAndQStillQuitsIt) {
    ASSERT_TRUE(game_.type("space"));
    ASSERT_TRUE(holdsWithin(3, [&] { return playingScreenShown(game_) && wellHasBlock(game_); }));

    // The game's moving keys, a few drops and keys it ignores; no q, and no space that would
    // leave a game-over screen.
    ASSERT_TRUE(game_.type(keyNames(floodOf("aaddwwwsefhijklmnuvxz")), 0));
    EXPECT_FALSE(game_.process().waitExit(0.2).has_value()) << "the game ended in the flood";
    EXPECT_TRUE(playingScreenShown(game_));

    ASSERT_TRUE(game_.typeUntil("q", [&] { return menuShown(game_, 0); }));
    leaveThroughTheMenu();
}

TEST_F(GameFlood, TheMenuSurvivesAFloodAndItsCursorStillMoves) {
    // The cursor's keys and keys the menu ignores; nothing that confirms a choice.
    ASSERT_TRUE(game_.type(keyNames(floodOf("wwwsssabcdefhijklmnoqrtuvxyz")), 0));
    EXPECT_FALSE(game_.process().waitExit(0.2).has_value()) << "the game ended in the flood";

    // The keys left over from the flood are read before these, and none of them opens the help,
    // so the help shows only once the menu has read them all: from wherever the flood left the
    // cursor, three s take it to the bottom and w back to the help.
    ASSERT_TRUE(game_.type("s s s w space"));
    ASSERT_TRUE(holdsWithin(20, [&] { return helpShown(game_); }));
    ASSERT_TRUE(game_.type("space"));
    ASSERT_TRUE(holdsWithin(3, [&] { return !helpShown(game_); }));
    ASSERT_TRUE(game_.type("space"));
    ASSERT_TRUE(holdsWithin(3, [&] { return menuShown(game_, 0); }));
    ASSERT_TRUE(game_.typeUntil("s", [&] { return menuShown(game_, 1); }));
    ASSERT_TRUE(game_.typeUntil("w", [&] { return menuShown(game_, 0); }));
    leaveThroughTheMenu();
}

}  // namespace
