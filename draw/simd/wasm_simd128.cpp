// The span loops on WebAssembly's 128-bit vectors: four words at a time. The browser build is
// compiled with them throughout (cmake/web.cmake), since a WebAssembly module is checked whole
// when it loads and one vector instruction anywhere makes it a vector module.
#if defined(__wasm_simd128__)
#include "draw/simd/span_loops.h"

namespace draw::simd {

namespace {

using Words = Vectors<16>::Words;
using Halves = Vectors<16>::Halves;

// WebAssembly has no high-half product, and the engines make its widening products dear, but a
// channel (at most 255) times a factor (at most 256) fits in 16 bits: each channel alone in its
// 16-bit lane, multiplied there, keeps the floored channel in the product's high byte. Red and
// blue share one vector, green takes another; green's product lands in its own byte already.
Words scaleChannels(Words words, Words factor) {
    const Halves f = (Halves)factor;
    const Halves redBlue = ((Halves)(words & 0x00FF00FF) * f) >> 8;
    const Halves green = ((Halves)(words >> 8 & 0x000000FF) * f) & 0xFF00;
    return (Words)(redBlue | green);
}

}  // namespace

// The engines check for interrupts at every turn of a loop, so the fill loop makes sixteen
// stores a turn; at four, a whole page took half again as long.
constinit const SpanKernels kWasmSimd128Kernels =
    SpanLoops<16, scaleChannels, 16>::kernels("simd128");

}  // namespace draw::simd
#endif
