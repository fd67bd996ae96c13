// The window thread.
#pragma once

namespace runtime {

// The window thread: makes the window, runs the page set-up, reports readiness and then runs
// the message loop until the window is destroyed.
void windowthread(int mode);

}  // namespace runtime
