// The image programs hold: the drawing layer's raster, with the methods that load, copy,
// transfer and blend it. Their image arguments are resolved as every call's are (0 the current
// image, 1 to 31 a page slot, anything else an image) before the drawing layer does the work.
#pragma once

#include <cstddef>
#include <cstdint>

#include "draw/image.h"

class IMAGE;
// The handle callers hold. As an image argument, 0 means the current image and 1 to 31 name a
// page slot (passed as reinterpret_cast<PIMAGE>(n)).
using PIMAGE = IMAGE*;

// Its fields are the runtime's record; programs read and change them only through the calls of
// runtime/graph.h. Every method first checks the record's tag and ends the process with an
// error box when it is missing.
class IMAGE : public draw::Image {
public:
    // (Re)creates the image at w x h: a fresh store filled with the background colour and a
    // drawing area covering the whole image. Returns 0, or an errno-style code when the store
    // cannot be had (the image then keeps its old store).
    int createimage(int width, int height);
    // Makes this image a pixel copy of the source image argument; drawing state stays its own.
    void copyimage(PIMAGE source);
    // Decodes a JPEG held in memory into this image, which takes the picture's size.
    // Returns 0, -12 for no data or bytes that are not a loadable picture, 21 for no memory.
    int getimage(const void* data, size_t count);

    // Copies width x height pixels at (xSrc, ySrc) to (xDest, yDest) of the destination with a
    // ternary raster operation. Coordinates follow each image's drawing-area origin and the
    // destination's clip. Returns non-zero when the transfer ran.
    int putimage(PIMAGE dst, int xDest, int yDest, int width, int height, int xSrc, int ySrc,
                 uint32_t rop) const;
    // The whole image onto the destination at (xDest, yDest).
    int putimage(PIMAGE dst, int xDest, int yDest, uint32_t rop) const;
    // The whole image onto the current image at (xDest, yDest).
    int putimage(int xDest, int yDest, uint32_t rop) const;
    // Scales the source rectangle onto the destination rectangle, dropping or repeating whole
    // rows and columns.
    int putimage(PIMAGE dst, int xDest, int yDest, int destWidth, int destHeight, int xSrc,
                 int ySrc, int srcWidth, int srcHeight, uint32_t rop) const;

    // Blends with a constant opacity (low 8 bits of alpha) straight on the pixel stores;
    // a width of 0 means the whole source. Returns 0.
    int putimage_alphablend(PIMAGE dst, int xDest, int yDest, uint32_t alpha, int xSrc, int ySrc,
                            int width, int height) const;
    // Blends with a per-pixel opacity from the mask's low byte; a mask word of 0 leaves the
    // destination alone. Returns 0.
    int putimage_alphablend(PIMAGE dst, int xDest, int yDest, PIMAGE mask, int xSrc, int ySrc,
                            int width, int height) const;
};
