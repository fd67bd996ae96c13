#include "tools/replay/png_file.h"

#include <png.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace replay {

namespace {

// 0x00RRGGBB words as red, green, blue bytes.
std::vector<uint8_t> rgbBytes(const platform::headless::Frame& frame) {
    std::vector<uint8_t> bytes;
    bytes.reserve(frame.pixels.size() * 3);
    for (const uint32_t pixel : frame.pixels) {
        bytes.push_back(static_cast<uint8_t>(pixel >> 16));
        bytes.push_back(static_cast<uint8_t>(pixel >> 8));
        bytes.push_back(static_cast<uint8_t>(pixel));
    }
    return bytes;
}

}  // namespace

bool writePng(const std::string& path, const platform::headless::Frame& frame, std::string& error) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(frame.width);
    image.height = static_cast<png_uint_32>(frame.height);
    image.format = PNG_FORMAT_RGB;
    const std::vector<uint8_t> bytes = rgbBytes(frame);
    if (png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr) != 0)
        return true;
    error = "cannot write " + path + ": " + image.message;
    return false;
}

}  // namespace replay
