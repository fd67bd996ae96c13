// Text on machines without a Chinese face, or without any font: each case runs in a child
// process whose font configuration sees only the fonts the test gives it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/draw/text_page.h"

namespace {

namespace fs = std::filesystem;

// The child's whole standard error: one line, the warning.
constexpr const char* kOneWarning = "^Trivanta: [^\n]*\n$";

// Draws, with the fonts of `fontDir` only, Latin and Chinese text in both named faces next to
// characters that never draw, and ends the process with the number of faces where Chinese
// did not show boxes, or Latin did not show boxes exactly when `latinDraws` is false.
[[noreturn]] void drawAndExit(const fs::path& fontDir, bool latinDraws) {
    const fs::path home =
        fs::temp_directory_path() / ("trivanta-fonts-" + std::to_string(getpid()));
    fs::create_directories(home / "cache");
    std::ofstream(home / "fonts.conf")
        << "<fontconfig><dir>" << fontDir.string() << "</dir><cachedir>"
        << (home / "cache").string() << "</cachedir></fontconfig>\n";
    setenv("FONTCONFIG_FILE", (home / "fonts.conf").c_str(), 1);
    int failures = 0;
    for (const char* face : {kSong, kHei}) {
        TextPage page(120, 30);
        setfontface(24, 12, face);
        drawtext(0, 0, "\xFF");
        drawtext(20, 0, "A");
        drawtext(40, 0, "\xAA\xA1");
        drawtext(70, 0, kZhong);
        const bool boxShows = page.inked({0, 0, 12, 24}) > 20;
        const bool latinIsBox = page.picture({20, 0, 32, 24}) == page.picture({0, 0, 12, 24});
        const bool chineseIsBox = page.picture({70, 0, 94, 24}) == page.picture({40, 0, 64, 24});
        failures += !boxShows || latinIsBox == latinDraws || !chineseIsBox;
    }
    fs::remove_all(home);
    // Straight out, so that nothing else the process does at exit writes to standard error.
    _exit(failures);
}

class TextFallback : public ::testing::Test {
protected:
    // The child starts afresh rather than as a copy of this process, whose fonts are set up.
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(TextFallback, WithoutChineseFacesLatinDrawsAndChineseShowsBoxes) {
    const fs::path latinFonts = "/usr/share/fonts/truetype/dejavu";
    if (!fs::is_directory(latinFonts))
        GTEST_SKIP() << "no " << latinFonts;
    EXPECT_EXIT(drawAndExit(latinFonts, true), ::testing::ExitedWithCode(0), kOneWarning);
}

TEST_F(TextFallback, WithoutAnyFontEveryCharacterShowsABox) {
    const fs::path empty = fs::temp_directory_path() / "trivanta-no-fonts";
    fs::create_directories(empty);
    EXPECT_EXIT(drawAndExit(empty, false), ::testing::ExitedWithCode(0), kOneWarning);
    fs::remove(empty);
}

}  // namespace
