// The span loops with AVX-512 (its byte and word instructions): sixteen words at a time.
#if defined(__x86_64__)
#include <immintrin.h>

#include "draw/simd/span_loops.h"

namespace draw::simd {

namespace {

using Halves = Vectors<64>::Halves;

Halves mulhi(Halves a, Halves b) {
    return (Halves)_mm512_mulhi_epu16((__m512i)a, (__m512i)b);
}

}  // namespace

// Four stores a turn of the fill loop keep its own work from limiting the stores.
constinit const SpanKernels kAvx512Kernels =
    SpanLoops<64, scaleWithHighHalves<64, mulhi>, 4>::kernels("avx512");

}  // namespace draw::simd
#endif
