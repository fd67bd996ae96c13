#include "tests/support/png_picture.h"

#include <png.h>

std::optional<ScreenArea> readPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0)
        return std::nullopt;
    // Blue, green, red and alpha bytes: on this machine's byte order 0xAARRGGBB.
    image.format = PNG_FORMAT_BGRA;
    ScreenArea picture{0, 0, static_cast<int>(image.width), static_cast<int>(image.height), {}};
    picture.pixels.resize(static_cast<size_t>(image.width) * image.height);
    if (png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr) == 0)
        return std::nullopt;
    for (uint32_t& pixel : picture.pixels)
        pixel &= 0x00FFFFFF;
    return picture;
}
