// Programs built for Windows open their window on the desktop unless they choose another
// backend.
#include "platform/win32/backend.h"

namespace platform {

Backend& defaultBackend() {
    return win32::backend();
}

}  // namespace platform
