// The headless backend as one of the build's backends: it can always start.
#pragma once

#include <string>

#include "platform/backend.h"

namespace platform::headless {

// Always true: the headless backend needs nothing of the machine.
bool available(std::string& whyNot);
// The process's one headless backend.
Backend& backend();

}  // namespace platform::headless
