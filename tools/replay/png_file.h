// Pictures the window showed, saved as PNG files.
#pragma once

#include <string>

#include "platform/headless/headless.h"

namespace replay {

// Writes the frame as an 8-bit RGB PNG; on failure returns false and says why in `error`.
bool writePng(const std::string& path, const platform::headless::Frame& frame, std::string& error);

}  // namespace replay
