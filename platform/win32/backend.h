// The backend that runs the runtime on Windows.
#pragma once

#include <string>

#include "platform/backend.h"

namespace platform::win32 {

// Always true: a Windows program always has its desktop.
bool available(std::string& whyNot);
// The process's one Windows backend.
Backend& backend();

}  // namespace platform::win32
