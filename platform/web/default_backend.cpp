// Programs built for the browser open their window on the page unless they choose another
// backend.
#include "platform/web/backend.h"

namespace platform {

Backend& defaultBackend() {
    return web::backend();
}

}  // namespace platform
