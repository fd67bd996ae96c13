// The drawing layer's hot loops over spans of pixel words, in one variant per instruction set.
// Every variant leaves exactly the words the portable one leaves. Which one the drawing
// layer runs is chosen once, the first time it asks, from what the processor supports; the
// environment variable TRIVANTA_SIMD can name another (see chooseSpanKernels).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace draw::simd {

// The widest vector any variant reads at once, in words.
inline constexpr size_t kWidestVectorWords = 16;

// One variant's loops.
//
// The blends read a whole vector of source (and mask) words before they write the destination
// words beside them. Where a source or mask span starts less than kWidestVectorWords words
// before its destination span, as when an image is blended onto itself a little to the right,
// only the portable variant gives what one word after another gives.
struct SpanKernels {
    // The name TRIVANTA_SIMD takes and the tests report.
    const char* name;
    // Sets `count` words to `color`.
    void (*fill)(uint32_t* d, size_t count, uint32_t color);
    // Sets `width` words of each of `rows` rows, `stride` words apart, to `color`: a bar in one
    // call, since a call costs as much as the stores of a short row.
    void (*fillRows)(uint32_t* d, size_t width, size_t rows, size_t stride, uint32_t color);
    // Blends `count` source words over as many destination words with one opacity (0 to 255),
    // exactly as blendWord does.
    void (*blend)(uint32_t* d, const uint32_t* s, size_t count, uint32_t alpha);
    // The same with each word's opacity the low byte of its mask word; a mask word of 0 leaves
    // its destination word as it was.
    void (*blendMasked)(uint32_t* d, const uint32_t* s, const uint32_t* m, size_t count);
};

// The plain loops, one word after another: what every other variant must give, and the variant
// of machines that have no other.
extern const SpanKernels kPortableKernels;
#if defined(__x86_64__)
extern const SpanKernels kSse2Kernels;    // every x86-64 processor: 4 words at once
extern const SpanKernels kAvx2Kernels;    // 8 words at once
extern const SpanKernels kAvx512Kernels;  // 16 words at once
#endif
#if defined(__wasm_simd128__)
extern const SpanKernels kWasmSimd128Kernels;  // WebAssembly's vectors: 4 words at once
#endif

// The variant the drawing layer runs, chosen on the first call from TRIVANTA_SIMD and the
// processor.
const SpanKernels& spanKernels();

// The variant for a request: unset or empty, the widest this processor runs; "baseline", the one
// every processor of this architecture runs; a variant's name, that variant where this processor
// runs it, else the baseline.
const SpanKernels& chooseSpanKernels(const char* request);

// A variant built into this program, and whether this processor runs it.
struct KernelVariant {
    const SpanKernels* kernels;
    bool supported;
};

// Every variant built into this program, the widest first and the portable one last.
std::span<const KernelVariant> kernelVariants();

}  // namespace draw::simd
