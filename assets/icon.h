// The program's icon, compiled into the program from the pictures under assets/icons/ in every
// size drawn there, smallest first, in the layout of platform/icon.h: for each picture its
// width, its height, then its pixels 0xAARRGGBB row by row from the top.
#pragma once

#include <cstddef>
#include <cstdint>

namespace assets {

extern const uint32_t kIconPictures[];
extern const size_t kIconPicturesSize;

}  // namespace assets
