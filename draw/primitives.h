// The primitives: clearing, filled bars, arcs and reading pixels back. Coordinates are relative
// to the image's drawing-area origin and cut at its clip rectangle. Every call but readPixel
// takes an image that has been created (its drawing context exists).
#pragma once

#include "draw/image.h"

namespace draw {

// Every pixel to the background colour, whatever the drawing area says.
void clear(Image& img);
// The rectangle from (left, top) up to but excluding (right, bottom), in the brush.
void fillBar(Image& img, int left, int top, int right, int bottom);
// The pixel at (x, y) of the drawing area, ignoring its clip; 0 outside the image.
RGBVAL readPixel(const Image& img, int x, int y);
// Outline of the ellipse around (x, y) in the pen, counter-clockwise from startangle to
// endangle (degrees); equal end points give the whole ellipse.
void drawArc(Image& img, int x, int y, int startangle, int endangle, int xradius, int yradius);

}  // namespace draw
