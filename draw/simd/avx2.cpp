// The span loops with AVX2: eight words at a time.
#if defined(__x86_64__)
#include <immintrin.h>

#include "draw/simd/span_loops.h"

namespace draw::simd {

namespace {

using Halves = Vectors<32>::Halves;

Halves mulhi(Halves a, Halves b) {
    return (Halves)_mm256_mulhi_epu16((__m256i)a, (__m256i)b);
}

}  // namespace

constinit const SpanKernels kAvx2Kernels = SpanLoops<32, mulhi>::kernels("avx2");

}  // namespace draw::simd
#endif
