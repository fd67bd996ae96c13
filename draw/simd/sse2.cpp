// The span loops on the instructions every x86-64 processor has: four words at a time, and long
// fills with the string store.
#if defined(__x86_64__)
#include <emmintrin.h>

#include "draw/simd/span_loops.h"

namespace draw::simd {

namespace {

using Halves = Vectors<16>::Halves;

Halves mulhi(Halves a, Halves b) {
    return (Halves)_mm_mulhi_epu16((__m128i)a, (__m128i)b);
}

}  // namespace

void fillWithStringStore(uint32_t* d, size_t count, uint32_t color) {
    asm volatile("rep stosl" : "+D"(d), "+c"(count) : "a"(color) : "memory");
}

// Four stores a turn of the fill loop keep its own work from limiting the stores.
constinit const SpanKernels kSse2Kernels =
    SpanLoops<16, scaleWithHighHalves<16, mulhi>, 4>::kernels("sse2");

}  // namespace draw::simd
#endif
