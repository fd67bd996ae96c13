// How the window's picture meets the output's pixels. The compositor measures surfaces in units
// of its own and asks for buffers with more pixels per unit on high-density outputs: a whole
// number of them (the output's scale) or, through the fractional-scale protocol, any multiple
// of 1/120. The window answers with a buffer at the output's resolution in which each of the
// runtime's pixels is a block of device pixels, so that nothing is smoothed on the way.
// TRIVANTA_SCALE forces the number of device pixels per pixel, as on X11.
#pragma once

#include "platform/backend.h"

namespace platform::wayland {

// The largest factor TRIVANTA_SCALE may ask for.
inline constexpr int kMaxForcedScale = 8;
// Fractional scales are counted in 120ths.
inline constexpr int kFractionDenominator = 120;

// What the window knows about its output.
struct ScaleInputs {
    int forced = 0;          // TRIVANTA_SCALE's factor, or 0
    int outputScale = 1;     // the whole-number scale of the outputs the surface is on
    int preferred120 = 0;    // the fractional scale the compositor prefers, or 0 without one
    bool viewports = false;  // whether the compositor can show a buffer at another size
    Size room;               // the largest output, in device pixels; nothing when unknown
};

// How the picture is shown.
struct Scaling {
    Size buffer;            // the buffer, in device pixels
    Size surface;           // the surface, in the compositor's units
    int bufferScale = 1;    // device pixels per unit the buffer claims
    bool viewport = false;  // the buffer is shown at the surface's size through a viewport
};

inline bool sameSize(Size a, Size b) {
    return a.width == b.width && a.height == b.height;
}

inline bool sameScaling(const Scaling& a, const Scaling& b) {
    return sameSize(a.buffer, b.buffer) && sameSize(a.surface, b.surface) &&
           a.bufferScale == b.bufferScale && a.viewport == b.viewport;
}

// TRIVANTA_SCALE's factor, a whole number from 1 to 8; 0 when it is unset or anything else.
int forcedScale(const char* setting);

// How a picture of `picture` pixels is shown. A forced factor is lowered until the buffer fits
// the room, as on X11.
Scaling chooseScaling(Size picture, const ScaleInputs& inputs);

// A position on the surface, in its units, as a pixel of the picture, rounded down so that
// every device pixel of an enlarged pixel gives that pixel.
int toPicture(double surfaceUnits, int pictureLength, int surfaceLength);

}  // namespace platform::wayland
