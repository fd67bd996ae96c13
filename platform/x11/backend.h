// The backend that runs the runtime on an X server.
#pragma once

#include "platform/backend.h"

namespace platform::x11 {

// The process's one X11 backend.
Backend& backend();

}  // namespace platform::x11
