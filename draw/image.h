// The off-screen raster that every drawing call targets, with its drawing state. The drawing
// layer works on images it is handed; which image a program's call means is the runtime's
// business.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/pixel_buffer.h"
#include "platform/rect.h"

// A colour as 0x00RRGGBB: blue in bits 0-7, green in 8-15, red in 16-23.
using RGBVAL = uint32_t;

// Every image carries this tag in its first word; the runtime refuses records without it.
inline constexpr uint32_t kImageTag = 0x20100916;

// The plain source copy, the only raster operation the system itself uses.
inline constexpr uint32_t SRCCOPY = 0x00CC0020;

namespace draw {

using platform::clipRect;
using platform::intersect;
using platform::Rect;
using platform::unite;

struct DrawContext;

// The pixel store is calloc'ed, so that a large fresh image costs no time until it is drawn on.
using PixelStore = platform::PixelBuffer;

// An off-screen raster of 0x00RRGGBB words, rows top-down, stride exactly `width`, plus one
// spare row below the image that no operation shows, copies or clears.
struct Image {
    Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    ~Image();

    uint32_t tag = kImageTag;
    std::unique_ptr<DrawContext> dc;  // null until the image is first created
    PixelStore bitmap;                // owns the pixel store, (height + 1) * width words
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
    // One of the runtime's pages, whose pixels the window thread also reads: changes to them are
    // made under the page lock (draw/page_lock.h). Set and cleared on the drawing thread.
    bool ispage = false;
    // Pages only: the pixels changed since the page was last presented, guarded by the page lock.
    Rect unpresented;
};

// (Re)creates the image at width x height: a fresh store filled with the background colour and
// a drawing area covering the whole image; an image created for the first time takes the default
// drawing state. Returns 0, or an errno-style code when the size is below 1 or the store cannot
// be had (the image then keeps its old store).
int createImage(Image& img, int width, int height);

// Copies the pixels of an image of the same size; the drawing state stays the image's own.
void copyPixels(Image& to, const Image& from);

// The whole of an image, as a rectangle of its pixels.
inline Rect wholeImage(const Image& img) {
    return Rect{0, 0, img.width, img.height};
}

}  // namespace draw
