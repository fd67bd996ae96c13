// The backend that runs the runtime on a Wayland compositor.
#pragma once

#include <string>

#include "platform/backend.h"

namespace platform::wayland {

// Whether a compositor answers on WAYLAND_DISPLAY or its default socket; when not, `whyNot`
// says why.
bool available(std::string& whyNot);

// The process's one Wayland backend.
Backend& backend();

}  // namespace platform::wayland
