// The backend that runs the runtime in a web page.
#pragma once

#include <string>

#include "platform/backend.h"

namespace platform::web {

// Always true: the program runs in its page.
bool available(std::string& whyNot);
// The process's one browser backend.
Backend& backend();

}  // namespace platform::web
