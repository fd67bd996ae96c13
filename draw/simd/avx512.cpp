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

constinit const SpanKernels kAvx512Kernels = SpanLoops<64, mulhi>::kernels("avx512");

}  // namespace draw::simd
#endif
