// The span loops of x86-64 and WebAssembly, written once for any vector width. Each
// instruction-set file instantiates them with its vectors' width in bytes, its own
// `scaleChannels` (the products of blendWord on whole vectors), and how many stores a turn of the
// fill loop makes; it is compiled for that instruction set alone (draw/CMakeLists.txt), and the
// loops it instantiates are its own, so nothing built here can leak into code that runs on other
// processors. Blended words that do not fill a whole vector go to the portable loops.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "draw/simd/span_kernels.h"

namespace draw::simd {

// Fills of this many words or more go to fillWithStringStore on x86-64; WebAssembly has no such
// store, and its vector stores fill spans of any length.
inline constexpr size_t kStringFillWords = 8192;
#if defined(__x86_64__)
inline constexpr bool kHasStringStore = true;
#else
inline constexpr bool kHasStringStore = false;
#endif

// Sets `count` words to `color` with the processor's repeated string store, which every x86-64
// processor has (simd/sse2.cpp). It writes whole cache lines without reading them first, which
// vector stores cannot avoid once a span outgrows the first-level cache: on a whole page it keeps
// up with memset where the widest vector loop falls a fifth behind.
void fillWithStringStore(uint32_t* d, size_t count, uint32_t color);

// The vectors of one width, as 32-bit words and as 16-bit halves.
template <size_t Bytes>
struct Vectors {
    typedef uint32_t Words __attribute__((vector_size(Bytes)));
    typedef uint16_t Halves __attribute__((vector_size(Bytes)));
    using Mulhi = Halves (*)(Halves, Halves);
    // floor(channel * factor / 256) of the three colour channels of every word, each left where
    // it was and the top byte 0; each word's factor (0 to 256) stands in both of its 16-bit
    // halves. These are the two products per word of blendWord.
    using Scale = Words (*)(Words words, Words factor);
};

// scaleChannels with `mulhi`, the high halves of the products of the 16-bit lanes of two vectors,
// which x86-64 has. Shifting each half left by 8 leaves blue (and red) alone in its high byte, so
// the high half of the product is the floored channel already in place; green, masked alone,
// comes out in the low byte and moves up by 8.
template <size_t Bytes, typename Vectors<Bytes>::Mulhi mulhi>
typename Vectors<Bytes>::Words scaleWithHighHalves(typename Vectors<Bytes>::Words words,
                                                   typename Vectors<Bytes>::Words factor) {
    using Halves = typename Vectors<Bytes>::Halves;
    using Words = typename Vectors<Bytes>::Words;
    const Halves f = (Halves)factor;
    const Halves redBlue = mulhi((Halves)words << 8, f);
    const Halves green = mulhi((Halves)(words & 0x0000FF00), f);
    return (Words)(redBlue | (green << 8));
}

template <size_t Bytes, typename Vectors<Bytes>::Scale scaleChannels, size_t kStoresPerTurn>
class SpanLoops {
public:
    // The loops as a variant called `name`.
    static constexpr SpanKernels kernels(const char* name) {
        return SpanKernels{name, fill, fillRows, blend, blendMasked};
    }

private:
    static constexpr size_t kWords = Bytes / 4;
    using Words = typename Vectors<Bytes>::Words;

    static Words load(const uint32_t* p) {
        Words v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    static void store(uint32_t* p, Words v) { std::memcpy(p, &v, sizeof v); }
    // Every word set to one value.
    static Words splat(uint32_t value) { return Words{} + value; }

    static void fill(uint32_t* d, size_t count, uint32_t color) { fillSpan(d, count, color); }

    static void fillRows(uint32_t* d, size_t width, size_t rows, size_t stride, uint32_t color) {
        for (size_t y = 0; y < rows; ++y)
            fillSpan(d + y * stride, width, color);
    }

    // Sets `count` words to `color`, inlined into both fills since a call costs as much as a
    // short row's stores. The vector of the colour is made anew for each span: one kept across
    // a string store's call may be kept in two scalar registers and stored from them.
    [[gnu::always_inline]] static void fillSpan(uint32_t* d, size_t count, uint32_t color) {
        if (count < kWords) {
            std::fill_n(d, count, color);
            return;
        }
        if constexpr (kHasStringStore) {
            if (count >= kStringFillWords) {
                fillWithStringStore(d, count, color);
                return;
            }
        }
        const Words v = splat(color);
        // One store at each end, which may overlap the stores between them, and stores on whole
        // vectors of the address space between: none of those crosses a cache line.
        const size_t last = count - kWords;
        store(d, v);
        store(d + last, v);
        const size_t misaligned = reinterpret_cast<uintptr_t>(d) % Bytes / 4;
        size_t i = kWords - misaligned;
        // Several stores a turn keep the loop's own work from limiting the stores.
        for (; i + (kStoresPerTurn - 1) * kWords < last; i += kStoresPerTurn * kWords) {
            for (size_t k = 0; k < kStoresPerTurn; ++k)
                store(d + i + k * kWords, v);
        }
        for (; i < last; i += kWords)
            store(d + i, v);
    }

    // The blend of d and s with each word's keep (255 - alpha) and take (alpha + 1) factors. The
    // two channel sums never exceed 255, so adding them cannot carry.
    static Words blendWords(Words d, Words s, Words keep, Words take) {
        return scaleChannels(d, keep) + scaleChannels(s, take);
    }

    static void blend(uint32_t* d, const uint32_t* s, size_t count, uint32_t alpha) {
        const Words keep = splat((255 - alpha) * 0x00010001);
        const Words take = splat((alpha + 1) * 0x00010001);
        size_t i = 0;
        for (; i + kWords <= count; i += kWords)
            store(d + i, blendWords(load(d + i), load(s + i), keep, take));
        kPortableKernels.blend(d + i, s + i, count - i, alpha);
    }

    static void blendMasked(uint32_t* d, const uint32_t* s, const uint32_t* m, size_t count) {
        size_t i = 0;
        for (; i + kWords <= count; i += kWords) {
            const Words mask = load(m + i);
            const Words alpha = (mask & 0xFF) | (mask & 0xFF) << 16;
            const Words keep = 0x00FF00FF - alpha;
            const Words take = alpha + 0x00010001;
            const Words dest = load(d + i);
            const Words blended = blendWords(dest, load(s + i), keep, take);
            // All ones where the whole mask word is 0 and the destination word stays.
            const Words stays = (Words)(mask == 0);
            store(d + i, (dest & stays) | (blended & ~stays));
        }
        kPortableKernels.blendMasked(d + i, s + i, m + i, count - i);
    }
};

}  // namespace draw::simd
