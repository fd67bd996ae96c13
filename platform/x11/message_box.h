// The modal error box: a small window of its own connection that shows a text until the user
// clicks it, presses Enter or Escape, or closes it.
#pragma once

#include <X11/Xlib.h>

namespace platform::x11 {

// Shows the box above `owner` (0 for none) and returns once it is closed; returns at once when
// no display can be opened. Title and text are GBK; the text may have several lines.
void showMessageBox(const char* title, const char* text, ::Window owner);

}  // namespace platform::x11
