// How many device pixels each way the window gives one pixel of the runtime's pictures. A
// high-density desktop asks for larger windows through Xft.dpi in the X resources and GDK_SCALE
// in the environment; TRIVANTA_SCALE overrides both. The factor is whole, so that presentation
// can enlarge pictures by repeating pixels and they stay sharp. Only this backend knows it:
// everything the runtime sees, sizes and mouse positions alike, is in the runtime's pixels.
#pragma once

#include <X11/Xlib.h>

#include "platform/backend.h"

namespace platform::x11 {

// The largest factor anything may ask for.
inline constexpr int kMaxScale = 8;

// What may ask for a factor, each null when absent.
struct ScaleRequests {
    const char* forced = nullptr;     // TRIVANTA_SCALE
    const char* desktop = nullptr;    // GDK_SCALE
    const char* resources = nullptr;  // the X resource database, as xrdb loads it
};

// The factor for a window of `window` pixels: the first valid request among TRIVANTA_SCALE (a
// whole number from 1 to 8), GDK_SCALE (a whole number from 1 up, at most 8) and Xft.dpi (at
// least 144 asks for its ratio to 96, rounded), else 1; then lowered until the enlarged window
// fits `workArea`.
int chooseScale(const ScaleRequests& requests, Size window, Size workArea);

// The requests of this process's environment and the display's resources; they stay valid
// while the display is open and the environment unchanged.
ScaleRequests scaleRequests(Display* display);

// The part of the screen the desktop leaves to windows (without its panels), or the whole
// screen when the window manager does not say.
Size workArea(Display* display);

// A position in device pixels in the runtime's pixels, rounded down, so that every device pixel
// of an enlarged pixel gives that pixel, also left of and above the client area.
inline int toLogical(int devicePixels, int scale) {
    return devicePixels >= 0 ? devicePixels / scale : -((scale - 1 - devicePixels) / scale);
}

}  // namespace platform::x11
