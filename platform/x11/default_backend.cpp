// Programs built with the X11 backend open their window on the X server unless they choose
// another backend.
#include "platform/x11/backend.h"

namespace platform {

Backend& defaultBackend() {
    return x11::backend();
}

}  // namespace platform
