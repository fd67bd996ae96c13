// The window thread's refresh timer, which ticks only while a tick could refresh the window.
// While the main thread is inside a frame wait, or nothing has used up the refresh countdown,
// a tick does nothing; after such a tick the timer is parked rather than waking the thread
// again, and whoever next makes a tick worth having (the countdown running out, a frame wait
// ending with it run out) starts it again. The ticks that refresh come as before: within one
// interval of the countdown running out outside a frame wait.
#pragma once

#include "platform/backend.h"

namespace runtime {

// Runs the timer at `intervalMs` (the window thread at its start; setmanualpresent(0)).
void startRefreshTimer(platform::Window& window, int intervalMs);
// Stops the timer until it is started again; nothing wakes it meanwhile (setmanualpresent(1)).
void stopRefreshTimer(platform::Window& window);
// Window thread: a tick did nothing, so no more come until one could refresh.
void parkRefreshTimer();
// Either thread, after the refresh countdown ran out or a frame wait ended: starts a parked
// timer again when its next tick would refresh.
void refreshMayBeDue();
// Main thread: a frame wait ends (framebusy is cleared), with a refresh perhaps due.
void endFrameWait();

}  // namespace runtime
