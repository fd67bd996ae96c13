// The plain loops, one word after another, which every machine runs.
#include <algorithm>

#include "draw/blend.h"
#include "draw/simd/span_kernels.h"

namespace draw::simd {

namespace {

void fillWords(uint32_t* d, size_t count, uint32_t color) {
    std::fill_n(d, count, color);
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

constinit const SpanKernels kPortableKernels{"portable", fillWords, blendWords, blendMaskedWords};

}  // namespace draw::simd
