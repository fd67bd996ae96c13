// Alpha blending straight on the pixel stores: the word arithmetic and the rectangle clipping
// that both blends share.
#pragma once

#include <cstdint>
#include <optional>

#include "draw/image.h"

namespace draw {

// Blends source word s over destination word d with opacity alpha (0 to 255). Every channel
// becomes floor(d * (255 - alpha) / 256) + floor(s * (alpha + 1) / 256), and the top byte 0.
//
// Red and blue share one product and green takes another, so a word costs two multiplications
// per operand. Each channel's product stays below 2^16, so no channel spills into its
// neighbour, and the two sums per channel never exceed 255, so adding them cannot carry.
inline uint32_t blendWord(uint32_t d, uint32_t s, uint32_t alpha) {
    const uint32_t keep = 255 - alpha;
    const uint32_t take = alpha + 1;
    const uint32_t kept =
        (((d & 0x00FF00FF) * keep) & 0xFF00FF00) | (((d & 0x0000FF00) * keep) & 0x00FF0000);
    const uint32_t taken =
        (((s & 0x00FF00FF) * take) & 0xFF00FF00) | (((s & 0x0000FF00) * take) & 0x00FF0000);
    return (kept + taken) >> 8;
}

// Blends `count` source words over as many destination words with one opacity (0 to 255),
// exactly as blendWord does word by word.
void blendRow(uint32_t* d, const uint32_t* s, int count, uint32_t alpha);
// The same with each word's opacity the low byte of its mask word, where a mask word of 0 leaves
// the destination word alone.
void blendMaskedRow(uint32_t* d, const uint32_t* s, const uint32_t* m, int count);

// A blend rectangle after clipping: width x height pixels from (xSrc, ySrc) of the source to
// (xDest, yDest) of the destination, all of it inside both stores.
struct BlendRect {
    int xDest = 0;
    int yDest = 0;
    int xSrc = 0;
    int ySrc = 0;
    int width = 0;
    int height = 0;

    // The destination pixels the blend covers.
    Rect destination() const { return Rect{xDest, yDest, xDest + width, yDest + height}; }
};

// Clips a blend of src onto dst; a width of 0 means the whole source. Returns nothing when no
// pixel is left. Works on 64-bit values, so no argument can make the arithmetic overflow.
std::optional<BlendRect> clipBlend(const Image& dst, const Image& src, int xDest, int yDest,
                                   int xSrc, int ySrc, int width, int height);

// Blends width x height pixels of src at (xSrc, ySrc) onto dst at (xDest, yDest) with a constant
// opacity (low 8 bits of alpha), or with the mask's low byte at the source position as the
// opacity, where a mask word of 0 leaves the destination alone. A width of 0 means the whole
// source; positions address the stores directly, whatever drawing area either image has.
void blendConstant(Image& dst, const Image& src, int xDest, int yDest, uint32_t alpha, int xSrc,
                   int ySrc, int width, int height);
void blendMasked(Image& dst, const Image& src, const Image& mask, int xDest, int yDest, int xSrc,
                 int ySrc, int width, int height);

}  // namespace draw
