// A window's icon in several sizes, laid out as window systems take it: for each picture its
// width, its height, then width x height pixels 0xAARRGGBB (straight alpha), row by row from the
// top. The runtime hands the program's icon to the backend in this layout; each backend turns
// the pictures into what its window system wants.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace platform {

struct IconPicture {
    int width = 0;
    int height = 0;
    std::span<const uint32_t> pixels;  // width x height words
};

// The pictures of an icon in that layout, in order. A picture whose size is not positive or
// whose pixels run past the end ends the list.
std::vector<IconPicture> iconPictures(std::span<const uint32_t> icon);

}  // namespace platform
