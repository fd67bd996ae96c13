// Loading a JPEG held in memory into an image.
#include <cstring>

#include "draw/fatal.h"
#include "draw/image.h"
#include "draw/page_lock.h"
#include "platform/jpeg.h"

namespace {

// getimage's results besides 0.
constexpr int kNotAPicture = -12;
constexpr int kNoMemory = 21;

}  // namespace

int IMAGE::getimage(const void* data, size_t count) {
    draw::checkImage(this, "IMAGE::getimage");
    // The picture is decoded aside first, so that bytes that fail to load leave the image as
    // it was.
    platform::JpegPicture picture;
    switch (platform::decodeJpeg(data, count, picture)) {
        case platform::JpegResult::Decoded:
            break;
        case platform::JpegResult::NotAPicture:
            return kNotAPicture;
        case platform::JpegResult::NoMemory:
            return kNoMemory;
    }
    // The image takes the picture's size, filled with its background colour and keeping its
    // drawing state; only the store can fail here.
    if (createimage(picture.width, picture.height) != 0)
        return kNoMemory;
    const auto guard = draw::lockIfPage(this);
    std::memcpy(pixels, picture.pixels.get(),
                sizeof(uint32_t) * static_cast<size_t>(width) * static_cast<size_t>(height));
    return 0;
}
