// The off-screen raster that every drawing call targets, with its drawing state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "draw/rect.h"

// A colour as 0x00RRGGBB: blue in bits 0-7, green in 8-15, red in 16-23.
using RGBVAL = uint32_t;

class IMAGE;
// The handle callers hold. As an image argument, 0 means the current image and 1 to 31 name a
// page slot (passed as reinterpret_cast<PIMAGE>(n)).
using PIMAGE = IMAGE*;

namespace draw {
struct DrawContext;
}

// Every constructed IMAGE carries this tag in its first word; methods refuse records without it.
inline constexpr uint32_t kImageTag = 0x20100916;

// The plain source copy, the only raster operation the system itself uses.
inline constexpr uint32_t SRCCOPY = 0x00CC0020;

// The pixel store is calloc'ed, so that a large fresh image costs no time until it is drawn on.
struct PixelStoreFree {
    void operator()(uint32_t* words) const noexcept;
};
using PixelStore = std::unique_ptr<uint32_t[], PixelStoreFree>;

// Something a program may attach to an image; it is destroyed with the image.
class ImageAttachment {
public:
    virtual ~ImageAttachment() = default;
};

// An off-screen raster of 0x00RRGGBB words, rows top-down, stride exactly `width`, plus one
// spare row below the image that no operation shows, copies or clears.
//
// The fields are the runtime's record; programs read and change them only through the calls of
// runtime/graph.h.
class IMAGE {
public:
    IMAGE() = default;
    IMAGE(const IMAGE&) = delete;
    IMAGE& operator=(const IMAGE&) = delete;
    ~IMAGE();

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

    uint32_t tag = kImageTag;
    std::unique_ptr<draw::DrawContext> dc;  // null until the image is first created
    PixelStore bitmap;                      // owns the pixel store, (height + 1) * width words
    int width = 0;
    int height = 0;
    uint32_t* pixels = nullptr;  // row 0, column 0 of the store
    RGBVAL pencolor = 0;
    RGBVAL fillcolor = 0;
    int viewport[4] = {0, 0, 0, 0};  // left, top, right, bottom of the drawing area
    int viewportclip = 0;
    int texthjust = 0;  // 0 left, 1 centre, 2 right
    int textvjust = 0;  // 0 bottom, 1 centre, 2 top
    int linestyle = 0;
    uint32_t linepattern = 0;
    int linewidth = 0;
    RGBVAL bkcolor = 0;
    std::unique_ptr<ImageAttachment> attached;
    int attachedkind = 0;
    // Pages only: the pixels changed since the page was last presented, guarded by the page lock
    // (draw/page_lock.h).
    draw::Rect unpresented;
};
