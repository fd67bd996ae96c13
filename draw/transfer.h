// What the raster-operation transfers share.
#pragma once

#include "draw/image.h"

namespace draw {

// The name the transfers give the validity check.
inline constexpr const char* kTransferMethod = "IMAGE::putimage";

// A transfer's result: whether it ran. One that clips to nothing still ran.
inline constexpr int kTransferFailed = 0;
inline constexpr int kTransferred = 1;

// The first steps of every transfer method: the validity check of the source, then the
// destination argument resolved (0 counts as a draw on the current page). Null when there is
// nothing to transfer onto, or nothing to transfer from.
PIMAGE transferTarget(const IMAGE& src, PIMAGE dst);

}  // namespace draw
