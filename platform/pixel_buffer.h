// An owned run of 0x00RRGGBB pixel words from the C heap. Stores are zeroed with calloc, so that
// a large fresh one costs no time until it is drawn on, and decoders fill theirs with malloc;
// both are freed alike.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace platform {

struct PixelWordsFree {
    void operator()(uint32_t* words) const noexcept { std::free(words); }
};
using PixelBuffer = std::unique_ptr<uint32_t[], PixelWordsFree>;

}  // namespace platform
