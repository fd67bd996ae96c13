// The start-up logo, a JPEG compiled into the program from assets/logo.jpg.
#pragma once

#include <cstddef>

namespace assets {

extern const unsigned char kLogoJpeg[];
extern const size_t kLogoJpegSize;

}  // namespace assets
