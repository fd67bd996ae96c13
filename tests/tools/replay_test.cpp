// trivanta_replay end to end: scripts through the real program write what the window showed as
// PNG files, and a faulty script runs nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "game/colours.h"
#include "tests/support/child_process.h"
#include "tests/support/png_picture.h"

namespace {

namespace fs = std::filesystem;

class ReplayTool : public testing::Test {
protected:
    void SetUp() override { fs::create_directories(folder_); }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path file(const char* name) const { return folder_ / name; }

    // Runs the tool on the script; its exit code.
    std::optional<int> replay(const std::string& script) {
        const fs::path path = file("script.txt");
        std::ofstream(path) << script;
        ChildProcess tool({TRIVANTA_REPLAY_PROGRAM, path.string()});
        return tool.waitExit(300);
    }

private:
    fs::path folder_ = fs::temp_directory_path() / ("trivanta-replay-" + std::to_string(getpid()));
};

TEST_F(ReplayTool, AShotAfterTheLogoShowsTheMenuWithStartSelected) {
    const fs::path shot = file("menu.png");
    ASSERT_EQ(replay("at 5000 shot " + shot.string() + "\nat 5000 end\n"), 0);
    const std::optional<ScreenArea> picture = readPng(shot);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 480);
    EXPECT_EQ(picture->height, 640);
    EXPECT_EQ(picture->at(186, 296), kGreen);
    EXPECT_EQ(picture->at(185, 296), kBlack);
    EXPECT_EQ(picture->at(190, 300), kBlue);
    EXPECT_EQ(picture->at(186, 356), kBlack);
}

TEST_F(ReplayTool, KeysActBeforeALaterShotAndTheProgramCanLeaveByItself) {
    const fs::path help = file("help-selected.png");
    const fs::path exit = file("exit-selected.png");
    ASSERT_EQ(replay("at 4000 key s\n"
                     "at 4500 shot " +
                     help.string() +
                     "\n"
                     "at 5000 key s\n"
                     "at 5500 shot " +
                     exit.string() +
                     "\n"
                     "at 6000 key space\n"),
              0);
    const std::optional<ScreenArea> helpSelected = readPng(help);
    const std::optional<ScreenArea> exitSelected = readPng(exit);
    ASSERT_TRUE(helpSelected && exitSelected);
    EXPECT_EQ(helpSelected->at(186, 356), kGreen);
    EXPECT_EQ(helpSelected->at(186, 296), kBlack);
    EXPECT_EQ(exitSelected->at(186, 416), kGreen);
}

TEST_F(ReplayTool, AFaultyScriptRunsNothing) {
    const fs::path shot = file("never.png");
    EXPECT_EQ(replay("at 5000 shot " + shot.string() + "\nat 6000 kye s\n"), 2);
    EXPECT_FALSE(fs::exists(shot));
    EXPECT_EQ(replay("at 5000 shot " + file("missing/shot.png").string() + "\n"), 2);
}

// A script of docs/replays with its shots sent to the test's folder, and the committed pictures
// those shots made.
struct RedirectedScript {
    std::string text;
    std::vector<fs::path> committed;
    std::vector<fs::path> shots;
};

RedirectedScript redirectShots(const fs::path& script, const fs::path& folder) {
    const fs::path root = TRIVANTA_SOURCE_DIR;
    const std::string shotWord = " shot ";
    RedirectedScript redirected;
    std::ifstream in(script);
    for (std::string line; std::getline(in, line);) {
        const size_t shot = line.find(shotWord);
        if (line.rfind("at ", 0) == 0 && shot != std::string::npos) {
            redirected.committed.push_back(root / line.substr(shot + shotWord.size()));
            redirected.shots.push_back(folder / (std::to_string(redirected.shots.size()) + "-" +
                                                 redirected.committed.back().filename().string()));
            line = line.substr(0, shot + shotWord.size()) + redirected.shots.back().string();
        }
        redirected.text += line + "\n";
    }
    return redirected;
}

// The pixels in which two pictures differ, and the first of them; every pixel when their sizes
// differ.
std::string differences(const ScreenArea& made, const ScreenArea& committed) {
    if (made.width != committed.width || made.height != committed.height)
        return "the sizes differ";
    int count = 0;
    std::string first;
    for (int y = 0; y < made.height; ++y) {
        for (int x = 0; x < made.width; ++x) {
            if (made.at(x, y) != committed.at(x, y) && count++ == 0)
                first = "first at x " + std::to_string(x) + ", y " + std::to_string(y);
        }
    }
    return count == 0 ? "" : std::to_string(count) + " pixels differ, " + first;
}

// The README's pictures are what their scripts show with today's build, pixel for pixel: a
// change to what the game draws fails here until the pictures are made again.
TEST_F(ReplayTool, TheReadmesPicturesAreWhatTheirScriptsShowToday) {
    int compared = 0;
    for (const auto& entry :
         fs::directory_iterator(fs::path(TRIVANTA_SOURCE_DIR) / "docs/replays")) {
        const RedirectedScript script = redirectShots(entry.path(), file(""));
        ASSERT_EQ(replay(script.text), 0) << entry.path();
        for (size_t i = 0; i < script.shots.size(); ++i) {
            const std::optional<ScreenArea> made = readPng(script.shots[i]);
            const std::optional<ScreenArea> committed = readPng(script.committed[i]);
            ASSERT_TRUE(made && committed) << script.committed[i];
            EXPECT_EQ(differences(*made, *committed), "")
                << script.committed[i] << " is stale: run " << entry.path()
                << " with trivanta_replay from the repository root";
            ++compared;
        }
    }
    EXPECT_GE(compared, 4);
}

}  // namespace
