// Every variant of the span loops that this processor runs leaves exactly the words the portable
// loops leave, on random spans, colours, opacities and masks; the variants it cannot run are
// reported as skipped. The choice among them follows TRIVANTA_SIMD's requests.
#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "draw/simd/span_kernels.h"
#include "draw/simd/span_loops.h"

namespace draw::simd {

// Failures name the variant.
void PrintTo(const KernelVariant& variant, std::ostream* out) {
    *out << variant.kernels->name;
}

}  // namespace draw::simd

namespace {

using draw::simd::KernelVariant;
using draw::simd::kPortableKernels;
using draw::simd::SpanKernels;

// Spans of up to kLongest words start at any of the first kOffsets positions of a buffer with
// words beyond them on both sides that no loop may touch; some fills are long enough for the
// string store.
constexpr size_t kLongest = 160;
constexpr size_t kOffsets = 32;
constexpr size_t kBufferWords = kLongest + 2 * kOffsets;
constexpr size_t kLongFill = draw::simd::kStringFillWords + kOffsets;
constexpr size_t kFillBufferWords = kLongFill + 2 * kOffsets;
constexpr int kRounds = 400;

std::vector<KernelVariant> vectorVariants() {
    std::vector<KernelVariant> list;
    for (const KernelVariant& variant : draw::simd::kernelVariants()) {
        if (variant.kernels != &kPortableKernels)
            list.push_back(variant);
    }
    return list;
}

class SpanVariant : public testing::TestWithParam<KernelVariant> {
protected:
    void SetUp() override {
        if (!GetParam().supported)
            GTEST_SKIP() << GetParam().kernels->name << " skipped: this processor cannot run it";
    }

    const SpanKernels& loops() const { return *GetParam().kernels; }

    std::vector<uint32_t> randomWords(size_t count = kBufferWords) {
        std::vector<uint32_t> words(count);
        for (uint32_t& word : words)
            word = random_();
        return words;
    }
    // Mask words of every kind: 0 (the destination stays), a low byte alone, a low byte of 0 in a
    // word that is not 0 (blends with opacity 0), and anything.
    std::vector<uint32_t> randomMask() {
        std::vector<uint32_t> words = randomWords();
        for (uint32_t& word : words) {
            switch (word % 4) {
                case 0:
                    word = 0;
                    break;
                case 1:
                    word &= 0xFF;
                    break;
                case 2:
                    word &= 0xFFFFFF00;
                    break;
            }
        }
        return words;
    }
    // Where a span starts in a buffer, and how long it is.
    size_t offset() { return random_() % kOffsets; }
    size_t length() { return random_() % (kLongest + 1); }
    // Mostly short, and now and then about as long as the shortest string-store fill.
    size_t fillLength() {
        return random_() % 4 == 0 ? kLongFill - random_() % (2 * kOffsets) : length();
    }
    uint32_t opacity() {
        const uint32_t pick = random_() % 8;
        return pick == 0 ? 0 : pick == 1 ? 255 : random_() & 0xFF;
    }

    std::mt19937 random_{20240611};
};

TEST_P(SpanVariant, FillGivesThePortableWords) {
    for (int round = 0; round < kRounds; ++round) {
        const size_t at = offset();
        const size_t count = fillLength();
        const uint32_t color = random_();
        std::vector<uint32_t> expected = randomWords(kFillBufferWords);
        std::vector<uint32_t> actual = expected;
        kPortableKernels.fill(expected.data() + at, count, color);
        loops().fill(actual.data() + at, count, color);
        ASSERT_EQ(actual, expected) << "at " << at << ", " << count << " words";
    }
}

// Bars of a few rows, each row at its own alignment, with words between the rows to keep.
TEST_P(SpanVariant, FillRowsGivesThePortableWords) {
    for (int round = 0; round < kRounds; ++round) {
        const size_t at = offset();
        const size_t width = length();
        const size_t stride = width + random_() % 7;
        const size_t rows = 1 + random_() % 4;
        const uint32_t color = random_();
        std::vector<uint32_t> expected = randomWords(rows * stride + 2 * kOffsets);
        std::vector<uint32_t> actual = expected;
        kPortableKernels.fillRows(expected.data() + at, width, rows, stride, color);
        loops().fillRows(actual.data() + at, width, rows, stride, color);
        ASSERT_EQ(actual, expected) << "at " << at << ", " << rows << " rows of " << width
                                    << " words, " << stride << " apart";
    }
}

TEST_P(SpanVariant, ConstantBlendGivesThePortableWords) {
    for (int round = 0; round < kRounds; ++round) {
        const size_t at = offset();
        const size_t from = offset();
        const size_t count = length();
        const uint32_t alpha = opacity();
        const std::vector<uint32_t> source = randomWords();
        std::vector<uint32_t> expected = randomWords();
        std::vector<uint32_t> actual = expected;
        kPortableKernels.blend(expected.data() + at, source.data() + from, count, alpha);
        loops().blend(actual.data() + at, source.data() + from, count, alpha);
        ASSERT_EQ(actual, expected) << "at " << at << ", " << count << " words, alpha " << alpha;
    }
}

TEST_P(SpanVariant, MaskedBlendGivesThePortableWords) {
    for (int round = 0; round < kRounds; ++round) {
        const size_t at = offset();
        const size_t from = offset();
        const size_t count = length();
        const std::vector<uint32_t> source = randomWords();
        const std::vector<uint32_t> mask = randomMask();
        std::vector<uint32_t> expected = randomWords();
        std::vector<uint32_t> actual = expected;
        kPortableKernels.blendMasked(expected.data() + at, source.data() + from, mask.data() + from,
                                     count);
        loops().blendMasked(actual.data() + at, source.data() + from, mask.data() + from, count);
        ASSERT_EQ(actual, expected) << "at " << at << ", " << count << " words";
    }
}

// A build with the portable loops alone (WebAssembly) has no other variant to compare.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(SpanVariant);
INSTANTIATE_TEST_SUITE_P(Variants, SpanVariant, testing::ValuesIn(vectorVariants()),
                         [](const testing::TestParamInfo<KernelVariant>& info) {
                             return std::string(info.param.kernels->name);
                         });

TEST(SpanLoopChoice, WidestByDefaultBaselineOnRequest) {
    const KernelVariant* widest = nullptr;
    for (const KernelVariant& variant : draw::simd::kernelVariants()) {
        if (widest == nullptr && variant.supported)
            widest = &variant;
    }
    ASSERT_NE(widest, nullptr);
    EXPECT_EQ(&draw::simd::chooseSpanKernels(nullptr), widest->kernels);
    EXPECT_EQ(&draw::simd::chooseSpanKernels(""), widest->kernels);

#if defined(__x86_64__)
    const SpanKernels& baseline = draw::simd::kSse2Kernels;
#else
    const SpanKernels& baseline = kPortableKernels;
#endif
    EXPECT_EQ(&draw::simd::chooseSpanKernels("baseline"), &baseline);
    EXPECT_EQ(&draw::simd::chooseSpanKernels("no such variant"), &baseline);
    // A variant asked for by name runs where the processor can run it.
    for (const KernelVariant& variant : draw::simd::kernelVariants()) {
        const SpanKernels& chosen = draw::simd::chooseSpanKernels(variant.kernels->name);
        EXPECT_EQ(&chosen, variant.supported ? variant.kernels : &baseline)
            << variant.kernels->name;
    }
}

}  // namespace
