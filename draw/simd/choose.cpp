// Which variant of the span loops runs: chosen once from what the processor supports, unless
// TRIVANTA_SIMD asks for another.
#include <array>
#include <cstdlib>
#include <cstring>

#include "draw/simd/span_kernels.h"

namespace draw::simd {

namespace {

bool always() {
    return true;
}

#if defined(__x86_64__)
// The run-time library's own reading of the processor, which also asks the operating system
// whether it saves the wide registers.
bool hasAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}
bool hasAvx512() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
}
#endif

struct Candidate {
    const SpanKernels* kernels;
    bool (*supported)();
};

// The widest first.
constexpr Candidate kCandidates[] = {
#if defined(__x86_64__)
    {&kAvx512Kernels, hasAvx512},
    {&kAvx2Kernels, hasAvx2},
    {&kSse2Kernels, always},
#endif
#if defined(__wasm_simd128__)
    // A module built with WebAssembly's vectors loads only where they run.
    {&kWasmSimd128Kernels, always},
#endif
    {&kPortableKernels, always},
};

#if defined(__x86_64__)
constexpr const SpanKernels& kBaseline = kSse2Kernels;
#else
constexpr const SpanKernels& kBaseline = kPortableKernels;
#endif

constexpr size_t kVariantCount = std::size(kCandidates);

}  // namespace

std::span<const KernelVariant> kernelVariants() {
    static const std::array<KernelVariant, kVariantCount> variants = [] {
        std::array<KernelVariant, kVariantCount> list{};
        for (size_t i = 0; i < kVariantCount; ++i)
            list[i] = KernelVariant{kCandidates[i].kernels, kCandidates[i].supported()};
        return list;
    }();
    return variants;
}

const SpanKernels& chooseSpanKernels(const char* request) {
    const bool widest = request == nullptr || *request == '\0';
    for (const KernelVariant& variant : kernelVariants()) {
        if (variant.supported && (widest || std::strcmp(request, variant.kernels->name) == 0))
            return *variant.kernels;
    }
    return kBaseline;
}

const SpanKernels& spanKernels() {
    static const SpanKernels& chosen = chooseSpanKernels(std::getenv("TRIVANTA_SIMD"));
    return chosen;
}

}  // namespace draw::simd
