#include "draw/picture.h"

#include <cstring>

#include "draw/page_lock.h"
#include "platform/jpeg.h"

namespace draw {

int loadJpeg(Image& img, const void* data, size_t count) {
    // The picture is decoded aside first, so that bytes that fail to load leave the image as
    // it was.
    platform::JpegPicture picture;
    switch (platform::decodeJpeg(data, count, picture)) {
        case platform::JpegResult::Decoded:
            break;
        case platform::JpegResult::NotAPicture:
            return kNotAPicture;
        case platform::JpegResult::NoMemory:
            return kNoMemoryForPicture;
    }
    // The image takes the picture's size, filled with its background colour and keeping its
    // drawing state; only the store can fail here.
    if (createImage(img, picture.width, picture.height) != 0)
        return kNoMemoryForPicture;
    const auto guard = lockIfPage(img);
    std::memcpy(
        img.pixels, picture.pixels.get(),
        sizeof(uint32_t) * static_cast<size_t>(img.width) * static_cast<size_t>(img.height));
    return 0;
}

}  // namespace draw
