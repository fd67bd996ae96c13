// The window thread and the window procedure.
#pragma once

#include "platform/backend.h"

namespace runtime {

// Handles one message of the runtime's window. Window thread only.
void windowproc(platform::Window& window, const platform::Message& message);

// The window thread: makes the window, runs the page set-up, reports readiness and then runs
// the message loop until the window is destroyed.
void windowthread(int mode);

}  // namespace runtime
