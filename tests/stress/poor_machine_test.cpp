// The real game on machines poorer than ours: without a font that has Chinese characters, and
// on an X server without shared memory. It warns where it must, draws what it can, and plays.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "game/colours.h"
#include "tests/support/desktop.h"
#include "tests/support/program_screens.h"
#include "tests/support/program_window.h"
#include "tests/support/x11_desktop.h"

// Xlib's macros would break gtest's headers, so Xlib comes after them.
#include <X11/Xlib.h>

namespace {

namespace fs = std::filesystem;

const fs::path kLatinFonts = "/usr/share/fonts/truetype/dejavu";

// How many pixels of the window's rectangle have the colour.
long countOf(const ProgramWindow& game, uint32_t colour, int x, int y, int width, int height) {
    const ScreenArea area = game.area(x, y, width, height);
    return std::count(area.pixels.begin(), area.pixels.end(), colour);
}

// Walks the game through every screen a short session shows: the menu, both help pages, a game
// with a falling piece (where `inGame` looks at it), q back to the menu, and the menu's exit.
void playEveryScreen(ProgramWindow& game, const std::function<void()>& inGame = {}) {
    ASSERT_TRUE(holdsWithin(8, [&] { return menuShown(game); }));
    ASSERT_TRUE(game.type("s space"));
    ASSERT_TRUE(holdsWithin(3, [&] { return helpShown(game); }));
    ASSERT_TRUE(game.type("space space"));
    ASSERT_TRUE(holdsWithin(3, [&] { return menuShown(game); }));
    ASSERT_TRUE(game.type("space"));
    ASSERT_TRUE(holdsWithin(3, [&] { return playingScreenShown(game) && wellHasBlock(game); }));
    if (inGame)
        inGame();
    ASSERT_TRUE(game.typeUntil("q", [&] { return menuShown(game); }));
    ASSERT_TRUE(game.type("s s space"));
    EXPECT_EQ(game.process().waitExit(5 * kSlowdown), 0);
}

// A font configuration that knows only the Latin fonts, in a folder of its own.
class LatinFontsOnly {
public:
    LatinFontsOnly() : home_(fs::temp_directory_path() / ("trivanta-latin-" + pid())) {
        fs::create_directories(home_ / "cache");
        std::ofstream(config()) << "<fontconfig><dir>" << kLatinFonts.string() << "</dir><cachedir>"
                                << (home_ / "cache").string() << "</cachedir></fontconfig>\n";
    }
    ~LatinFontsOnly() { fs::remove_all(home_); }

    fs::path config() const { return home_ / "fonts.conf"; }
    fs::path errors() const { return home_ / "stderr.txt"; }

private:
    static std::string pid() { return std::to_string(getpid()); }
    fs::path home_;
};

std::string contentsOf(const fs::path& file) {
    std::ostringstream text;
    text << std::ifstream(file).rdbuf();
    return text.str();
}

TEST(PoorMachine, WithoutChineseFontsTheGameWarnsOnceDrawsBoxesAndPlays) {
    if (!fs::is_directory(kLatinFonts))
        GTEST_SKIP() << "no " << kLatinFonts;
    const std::unique_ptr<Desktop> desktop = openDesktop();
    ASSERT_TRUE(desktop->running()) << desktop->error();
    const LatinFontsOnly fonts;
    ProgramWindow game(*desktop,
                       shellCommand(TRIVANTA_GAME, {"FONTCONFIG_FILE=" + fonts.config().string()},
                                    fonts.errors().string()));
    ASSERT_TRUE(game.shown());
    ASSERT_TRUE(holdsWithin(8, [&] { return menuShown(game); }));
    // The Latin title draws in a Latin face; the Chinese labels of the playing screen ("next
    // piece" in white) show as boxes, which have ink as well.
    EXPECT_GT(countOf(game, kYellow, 100, 100, 200, 48), 0);
    playEveryScreen(game, [&] { EXPECT_GT(countOf(game, kWhite, 342, 55, 72, 24), 0); });

    const std::string errors = contentsOf(fonts.errors());
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_EQ(errors.rfind("Trivanta: no installed font has Chinese characters", 0), 0u) << errors;
}

TEST(PoorMachine, WithoutSharedMemoryTheGameShowsItsScreens) {
    X11Desktop server({.sharedMemory = false});
    ASSERT_TRUE(server.running()) << server.error();
    int opcode = 0, event = 0, error = 0;
    ASSERT_FALSE(XQueryExtension(server.connection(), "MIT-SHM", &opcode, &event, &error));
    ProgramWindow game(server, std::vector<std::string>{TRIVANTA_GAME});
    ASSERT_TRUE(game.shown());
    playEveryScreen(game);
}

}  // namespace
