// The units the clocks and the sleeps of every backend convert between.
#pragma once

#include <cstdint>

namespace platform {

inline constexpr int64_t kNanosecondsPerSecond = 1'000'000'000;
inline constexpr int64_t kNanosecondsPerMs = 1'000'000;

}  // namespace platform
