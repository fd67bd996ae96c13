// The plain loops, one word after another, which every machine runs.
#include <algorithm>

#include "draw/blend.h"
#include "draw/simd/span_kernels.h"

namespace draw::simd {

namespace {

void fillWords(uint32_t* d, size_t count, uint32_t color) {
    std::fill_n(d, count, color);
}

void fillRowsOfWords(uint32_t* d, size_t width, size_t rows, size_t stride, uint32_t color) {
    for (size_t y = 0; y < rows; ++y)
        std::fill_n(d + y * stride, width, color);
}

void blendWords(uint32_t* d, const uint32_t* s, size_t count, uint32_t alpha) {
    for (size_t i = 0; i < count; ++i)
        d[i] = blendWord(d[i], s[i], alpha);
}

void blendMaskedWords(uint32_t* d, const uint32_t* s, const uint32_t* m, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        // Only a whole zero word leaves the destination alone; 0x100 still blends, with 0.
        if (m[i] != 0)
            d[i] = blendWord(d[i], s[i], m[i] & 0xFF);
    }
}

}  // namespace

constinit const SpanKernels kPortableKernels{"portable", fillWords, fillRowsOfWords, blendWords,
                                             blendMaskedWords};

}  // namespace draw::simd
