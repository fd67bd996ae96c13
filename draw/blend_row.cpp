// The constant blend of one row, four words at a time where SSE2 is there.
#include <functional>

#include "draw/blend.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace draw {

namespace {

#ifdef __SSE2__
// floor(channel * factor / 256) of the three colour channels of four words, each left where it
// was and the top byte 0: the same two products per word as blendWord, taken with 16-bit high
// multiplications. Shifting each 16-bit half left by 8 leaves blue (and red) alone in the high
// byte, so the high half of the product is the floored channel already in place; green, masked
// alone, comes out in the low byte and moves up by 8.
__m128i scaleChannels(__m128i words, __m128i factor) {
    const __m128i redBlue = _mm_mulhi_epu16(_mm_slli_epi16(words, 8), factor);
    const __m128i green = _mm_mulhi_epu16(_mm_and_si128(words, _mm_set1_epi32(0x0000FF00)), factor);
    return _mm_or_si128(redBlue, _mm_slli_epi16(green, 8));
}

// Blends the longest prefix of whole groups of four; returns how many words that was.
int blendRowVector(uint32_t* d, const uint32_t* s, int count, uint32_t alpha) {
    const __m128i keep = _mm_set1_epi16(static_cast<short>(255 - alpha));
    const __m128i take = _mm_set1_epi16(static_cast<short>(alpha + 1));
    const int whole = count & ~3;
    for (int i = 0; i < whole; i += 4) {
        auto* dv = reinterpret_cast<__m128i*>(d + i);
        const __m128i dst = _mm_loadu_si128(dv);
        const __m128i src = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        // The two channel sums never exceed 255, so the addition cannot carry.
        _mm_storeu_si128(dv, _mm_add_epi32(scaleChannels(dst, keep), scaleChannels(src, take)));
    }
    return whole;
}
#endif

}  // namespace

void blendRow(uint32_t* d, const uint32_t* s, int count, uint32_t alpha) {
    int done = 0;
#ifdef __SSE2__
    // A destination a few words after its source (an image blended onto itself) must see the
    // words blended earlier in the row, as one word at a time does; four at once would not.
    const bool readsOwnWrites = std::less<>{}(s, d) && std::less<>{}(d, s + 4);
    if (!readsOwnWrites)
        done = blendRowVector(d, s, count, alpha);
#endif
    for (; done < count; ++done)
        d[done] = blendWord(d[done], s[done], alpha);
}

}  // namespace draw
