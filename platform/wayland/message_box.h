// The modal error box: a small window of its own connection that shows a text until the user
// clicks it, presses Enter or Escape, or closes it.
#pragma once

namespace platform::wayland {

// Shows the box and returns once it is closed; returns at once when no compositor answers.
// Title and text are GBK; the text may have several lines.
void showMessageBox(const char* title, const char* text);

}  // namespace platform::wayland
