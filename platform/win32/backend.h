// The backend that runs the runtime on Windows.
#pragma once

#include "platform/backend.h"

namespace platform::win32 {

// The process's one Windows backend.
Backend& backend();

}  // namespace platform::win32
