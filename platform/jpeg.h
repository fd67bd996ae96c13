// JPEG decoding from memory into 0x00RRGGBB words.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/pixel_buffer.h"

namespace platform {

// The largest picture decoded, in pixels each way; larger ones are refused as unloadable.
inline constexpr int kMaxJpegSide = 16384;

enum class JpegResult { Decoded, NotAPicture, NoMemory };

// A decoded picture: width x height words, rows top-down, stride exactly width.
struct JpegPicture {
    int width = 0;
    int height = 0;
    PixelBuffer pixels;
};

// Decodes `count` bytes of JPEG. Corrupt, truncated or foreign bytes, pictures the decoder had to
// patch up (it warns of those) and arithmetic-coded pictures are NotAPicture; `picture` is then
// left empty. Windows' own decoder reads no arithmetic coding, so no system loads it and a
// picture loads on every system or on none. Greyscale pictures come out grey, CMYK and YCCK ones
// converted to RGB.
JpegResult decodeJpeg(const void* data, size_t count, JpegPicture& picture);

}  // namespace platform
