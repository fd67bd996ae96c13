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

// Four stores a turn of the fill loop keep its own work from limiting the stores.
constinit const SpanKernels kAvx2Kernels =
    SpanLoops<32, scaleWithHighHalves<32, mulhi>, 4>::kernels("avx2");

}  // namespace draw::simd
#endif
