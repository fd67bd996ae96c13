// The image-argument convention shared by every drawing call, resolved where the call enters the
// runtime.
#pragma once

#include <cstdint>

#include "runtime/image.h"

namespace runtime {

// Whether a call counts as a draw on the current page when its argument is 0.
enum class Counts { No, Yes };

// Whether an image argument is a page number (0 to 31) rather than an image.
inline bool isPageNumber(const IMAGE* arg) {
    return reinterpret_cast<uintptr_t>(arg) < 32;
}

// Resolves an image argument: 0 is the current image (a counting call then lowers the refresh
// countdown, whether or not there is an image), 1 to 31 name page slot (n & 15) when that slot
// exists, and anything else is the image itself. Returns null when it names no image.
PIMAGE resolveImage(PIMAGE arg, Counts counts);

// As resolveImage, but also null for an image that has no drawing context yet (its creation
// failed), so the result is always safe to draw on.
PIMAGE drawableImage(PIMAGE arg, Counts counts);

}  // namespace runtime
