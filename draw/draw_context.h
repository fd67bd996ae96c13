// The drawing context each image owns: what the primitives draw with and where they may draw.
#pragma once

#include <array>
#include <cstdint>

#include "draw/image.h"

namespace platform {
struct FontFace;
}

namespace draw {

// Line styles of setpenstyle.
enum PenStyle : int {
    kPenSolid = 0,
    kPenDash = 1,
    kPenDot = 2,
    kPenDashDot = 3,
    kPenDashDotDot = 4,
    kPenNone = 5,
    kPenInsideFrame = 6,
    kPenUser = 7,
};

// Hatch styles a patterned brush can have; kHatchNone is a solid brush.
enum Hatch : int {
    kHatchNone = -1,
    kHatchVertical = 1,
    kHatchFalling = 2,  // 45 degree lines falling left to right
    kHatchRising = 3,   // 45 degree lines rising left to right
    kHatchCross = 4,
    kHatchDiagonalCross = 5,
};

// Alternating dash and gap lengths in pixels, the first a dash; an empty list is a solid line.
struct DashList {
    std::array<uint8_t, 16> lengths{};
    int count = 0;
    int total() const {
        int sum = 0;
        for (int i = 0; i < count; ++i)
            sum += lengths[i];
        return sum;
    }
};

struct Pen {
    int style = kPenSolid;
    int width = 1;
    RGBVAL color = 0;
    DashList dashes;
};

struct Brush {
    int hatch = kHatchNone;
    RGBVAL color = 0;
};

// A font selected with setfontface: text is laid out in cells cellWidth (single-byte) or
// 2 * cellWidth (double-byte) wide and cellHeight tall. A null face is the default face.
struct Font {
    int cellHeight = 16;
    int cellWidth = 8;
    const platform::FontFace* face = nullptr;
};

// The context keeps colours in pixel order (0x00RRGGBB), so nothing is swapped on the way to
// the pixel store. Text is always drawn opaque: images have no transparent background mode.
struct DrawContext {
    Pen pen;
    Brush brush;
    Font font;
    RGBVAL textcolor = 0;
    RGBVAL bkcolor = 0;
    // Every coordinate given to a primitive is relative to this point of the image.
    int originx = 0;
    int originy = 0;
    // Drawing is cut at this rectangle of image pixels, which always lies inside the image.
    Rect clip;
};

}  // namespace draw
