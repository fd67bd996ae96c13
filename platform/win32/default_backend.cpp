// Programs built for Windows open their window on the desktop unless they choose another
// backend, and write what they print to the console they were started from.
#include "platform/win32/backend.h"
#include "platform/win32/console.h"

namespace platform {

namespace {

// Before main runs, so that a program's first words already reach the console.
[[maybe_unused]] const bool consoleAttached = win32::writeToParentConsole();

}  // namespace

Backend& defaultBackend() {
    return win32::backend();
}

}  // namespace platform
