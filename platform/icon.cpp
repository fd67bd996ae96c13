#include "platform/icon.h"

namespace platform {

std::vector<IconPicture> iconPictures(std::span<const uint32_t> icon) {
    std::vector<IconPicture> pictures;
    size_t at = 0;
    while (icon.size() - at >= 2) {
        const uint32_t width = icon[at];
        const uint32_t height = icon[at + 1];
        const size_t left = icon.size() - at - 2;
        if (width == 0 || height == 0 || width > left / height)
            break;
        const size_t count = size_t{width} * height;
        pictures.push_back(
            {static_cast<int>(width), static_cast<int>(height), icon.subspan(at + 2, count)});
        at += 2 + count;
    }
    return pictures;
}

}  // namespace platform
