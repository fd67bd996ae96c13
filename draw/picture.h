// Loading a picture held in memory into an image.
#pragma once

#include <cstddef>

#include "draw/image.h"

namespace draw {

// loadJpeg's results besides 0.
inline constexpr int kNotAPicture = -12;
inline constexpr int kNoMemoryForPicture = 21;

// Decodes a JPEG into the image, which takes the picture's size, filled with its background
// colour first and keeping its drawing state. Returns 0, kNotAPicture for no data or bytes that
// are not a loadable picture (the image is then left as it was), kNoMemoryForPicture when the
// memory for it cannot be had.
int loadJpeg(Image& img, const void* data, size_t count);

}  // namespace draw
