// The blends of one row, on the span loops this processor runs best.
#include "draw/blend.h"
#include "draw/simd/span_kernels.h"

namespace draw {

namespace {

// Whether the destination `d` starts a few words after `from`, which the row also reads, as when
// an image is blended onto itself a little to the right. Then every word must see the words
// blended before it in the row, as one word at a time does; a whole vector read at once would
// not.
bool readsAheadOfWrites(const uint32_t* from, const uint32_t* d) {
    const uintptr_t gap = reinterpret_cast<uintptr_t>(d) - reinterpret_cast<uintptr_t>(from);
    return gap != 0 && gap < simd::kWidestVectorWords * sizeof *d;
}

}  // namespace

void blendRow(uint32_t* d, const uint32_t* s, int count, uint32_t alpha) {
    const simd::SpanKernels& loops =
        readsAheadOfWrites(s, d) ? simd::kPortableKernels : simd::spanKernels();
    loops.blend(d, s, static_cast<size_t>(count), alpha);
}

void blendMaskedRow(uint32_t* d, const uint32_t* s, const uint32_t* m, int count) {
    const simd::SpanKernels& loops = readsAheadOfWrites(s, d) || readsAheadOfWrites(m, d)
                                         ? simd::kPortableKernels
                                         : simd::spanKernels();
    loops.blendMasked(d, s, m, static_cast<size_t>(count));
}

}  // namespace draw
