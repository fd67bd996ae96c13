// The real runtime on the headless backend, for tests: a window nobody sees, virtual time and
// scripted input.
#pragma once

#include "platform/headless/headless.h"
#include "runtime/graph.h"

// Opens (or, when a test before this one in the process already did, resizes and shows) the
// runtime's window on the headless backend. The mode counts only on the process's first call.
void openHeadlessWindow(int width = 480, int height = 640, int mode = 0);

// Lets input a test before this one scripted arrive, and empties both queues.
void drainInput();

// Virtual milliseconds since the clock started, on the script's clock.
inline double now() {
    return platform::headless::nowMs();
}
