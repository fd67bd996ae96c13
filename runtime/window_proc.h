// The window procedure.
#pragma once

#include "platform/backend.h"

namespace runtime {

// Handles one message of the runtime's window. Window thread only.
void windowproc(platform::Window& window, const platform::Message& message);

}  // namespace runtime
