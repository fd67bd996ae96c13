// The backend that runs the runtime in a web page.
#pragma once

#include "platform/backend.h"

namespace platform::web {

// The process's one browser backend.
Backend& backend();

}  // namespace platform::web
