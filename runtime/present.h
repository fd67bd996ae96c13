// Getting the shown page into the window.
#pragma once

#include <cstdint>

namespace runtime {

// Main thread: presents the view region of the shown page. 0 on success, -1 when the window is
// closed, 20 when the window has no surface.
int presentpage();
// Main thread: presents when forced or when the refresh countdown has run out. 1 while the
// window is open, 0 once it is closed.
int refreshwindow(bool force);
// Window thread: presents the shown page through a private copy of it.
void presentcopy();
// Window thread: what a tick of the refresh timer does.
void timerRefresh();

}  // namespace runtime
