// Reading an icon's pictures out of the layout window systems take, whatever the words say.
#include <gtest/gtest.h>

#include <vector>

#include "platform/icon.h"

namespace {

TEST(IconPictures, SplitsThePicturesAndStopsAtOneThatRunsPastTheEnd) {
    const std::vector<uint32_t> icon = {
        1, 1, 0xFF0000FF,              // a 1 x 1 picture
        2, 1, 0xFF00FF00, 0xFFFF0000,  // a 2 x 1 picture
        2, 2, 0xFFFFFFFF,              // claims four pixels and has one
    };
    const std::vector<platform::IconPicture> pictures = platform::iconPictures(icon);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].width, 1);
    EXPECT_EQ(pictures[0].pixels[0], 0xFF0000FFu);
    EXPECT_EQ(pictures[1].width, 2);
    EXPECT_EQ(pictures[1].height, 1);
    EXPECT_EQ(pictures[1].pixels[1], 0xFFFF0000u);

    // Sizes whose product overflows, or that are 0, end the list as well.
    EXPECT_TRUE(platform::iconPictures(std::vector<uint32_t>{0x10000, 0x10000, 1}).empty());
    EXPECT_TRUE(platform::iconPictures(std::vector<uint32_t>{0, 5, 1, 2}).empty());
    EXPECT_TRUE(platform::iconPictures({}).empty());
}

}  // namespace
