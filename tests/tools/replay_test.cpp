// trivanta_replay end to end: scripts through the real program write what the window showed as
// PNG files, and a faulty script runs nothing.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "game/colours.h"
#include "tests/support/child_process.h"

namespace {

namespace fs = std::filesystem;

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    uint32_t pixel(int x, int y) const {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        return uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
    }
};

std::optional<Picture> readPng(const fs::path& path) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0)
        return std::nullopt;
    image.format = PNG_FORMAT_RGB;
    Picture picture{static_cast<int>(image.width), static_cast<int>(image.height), {}};
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) == 0)
        return std::nullopt;
    return picture;
}

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
        return tool.waitExit(60);
    }

private:
    fs::path folder_ = fs::temp_directory_path() / ("trivanta-replay-" + std::to_string(getpid()));
};

TEST_F(ReplayTool, AShotAfterTheLogoShowsTheMenuWithStartSelected) {
    const fs::path shot = file("menu.png");
    ASSERT_EQ(replay("at 5000 shot " + shot.string() + "\nat 5000 end\n"), 0);
    const std::optional<Picture> picture = readPng(shot);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 480);
    EXPECT_EQ(picture->height, 640);
    EXPECT_EQ(picture->pixel(186, 296), kGreen);
    EXPECT_EQ(picture->pixel(185, 296), kBlack);
    EXPECT_EQ(picture->pixel(190, 300), kBlue);
    EXPECT_EQ(picture->pixel(186, 356), kBlack);
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
    const std::optional<Picture> helpSelected = readPng(help);
    const std::optional<Picture> exitSelected = readPng(exit);
    ASSERT_TRUE(helpSelected && exitSelected);
    EXPECT_EQ(helpSelected->pixel(186, 356), kGreen);
    EXPECT_EQ(helpSelected->pixel(186, 296), kBlack);
    EXPECT_EQ(exitSelected->pixel(186, 416), kGreen);
}

TEST_F(ReplayTool, AFaultyScriptRunsNothing) {
    const fs::path shot = file("never.png");
    EXPECT_EQ(replay("at 5000 shot " + shot.string() + "\nat 6000 kye s\n"), 2);
    EXPECT_FALSE(fs::exists(shot));
    EXPECT_EQ(replay("at 5000 shot " + file("missing/shot.png").string() + "\n"), 2);
}

}  // namespace
