// Transfers between images with a ternary raster operation: at the same size, or stretched.
// Coordinates are relative to each image's drawing-area origin, and the destination's clip cuts
// the transfer; pixels whose source lies outside the source's store are left alone. Both images
// must have been created.
#pragma once

#include <cstdint>

#include "draw/image.h"

namespace draw {

// A transfer's result: whether it ran. One that clips to nothing still ran.
inline constexpr int kTransferFailed = 0;
inline constexpr int kTransferred = 1;

// Copies width x height pixels at (xSrc, ySrc) of src to (xDest, yDest) of dst. The two may be
// one image, moved along itself.
int transfer(Image& dst, int xDest, int yDest, int width, int height, const Image& src, int xSrc,
             int ySrc, uint32_t rop);
// Scales the source rectangle onto the destination rectangle, dropping or repeating whole rows
// and columns; a negative size counts back from its origin and mirrors the picture. Fails only
// when there is no memory for the work.
int stretch(Image& dst, int xDest, int yDest, int destWidth, int destHeight, const Image& src,
            int xSrc, int ySrc, int srcWidth, int srcHeight, uint32_t rop);

}  // namespace draw
