// Programs built without a window system run on the headless backend unless they choose
// another.
#include "platform/headless/headless.h"

namespace platform {

Backend& defaultBackend() {
    return headless::backend();
}

}  // namespace platform
