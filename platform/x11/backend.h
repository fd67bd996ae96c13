// The backend that runs the runtime on an X server.
#pragma once

#include <string>

#include "platform/backend.h"

namespace platform::x11 {

// Whether an X server answers on DISPLAY; when none does, `whyNot` says so.
bool available(std::string& whyNot);
// The process's one X11 backend.
Backend& backend();

}  // namespace platform::x11
