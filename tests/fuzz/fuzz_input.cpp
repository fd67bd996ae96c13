#include "tests/fuzz/fuzz_input.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kEdges[] = {0,          1,           -1,      2,          INT_MIN,       INT_MIN + 1,
                          INT_MAX,    INT_MAX - 1, 1 << 15, -(1 << 15), (1 << 15) - 1, 1 << 16,
                          -(1 << 16), 1 << 24,     1 << 30, -(1 << 30)};

enum NumberKind { kOneByte, kTwoBytes, kEdge, kFourBytes, kKinds };

}  // namespace

uint8_t FuzzInput::byte() {
    if (rest_.empty())
        return 0;
    const uint8_t value = rest_.front();
    rest_ = rest_.subspan(1);
    return value;
}

uint32_t FuzzInput::word() {
    uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8)
        value |= uint32_t{byte()} << shift;
    return value;
}

int FuzzInput::number() {
    switch (byte() % kKinds) {
        case kOneByte:
            return static_cast<int8_t>(byte());
        case kTwoBytes: {
            const uint8_t low = byte();
            return static_cast<int16_t>(low | byte() << 8);
        }
        case kEdge:
            return choose(kEdges);
        default:
            return static_cast<int>(word());
    }
}

std::string FuzzInput::text() {
    const auto end = std::find(rest_.begin(), rest_.end(), 0);
    std::string value(reinterpret_cast<const char*>(rest_.data()),
                      static_cast<size_t>(end - rest_.begin()));
    rest_ = rest_.subspan(std::min(value.size() + 1, rest_.size()));
    return value;
}

void expect(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n", property);
    std::abort();
}
