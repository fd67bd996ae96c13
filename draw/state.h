// Setting an image's drawing state: pen, brush, background colour, text anchor and drawing area.
// Every call takes an image that has been created (its drawing context exists).
#pragma once

#include <cstdint>

#include "draw/image.h"

namespace draw {

// The line and text colour; the pen is rebuilt from the stored line state.
void setPenColor(Image& img, RGBVAL color);
// Line style 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none, 6 inside frame, 7 user
// pattern (low 16 bits of `pattern`); a style no pen can be made of keeps the old pen.
void setPenStyle(Image& img, int style, uint32_t pattern, int width);
void setBrushColor(Image& img, RGBVAL color);
// A hatched or solid brush by setbrushpattern's pattern number.
void setBrushPattern(Image& img, int pattern, RGBVAL color);
// The background colour; every pixel drawn in the old one takes the new one.
void setBackColor(Image& img, RGBVAL color);
// The background colour alone.
void setBackColorKeep(Image& img, RGBVAL color);
void setTextAnchor(Image& img, int horiz, int vert);
// Moves the origin to (left, top) and, when clip is non-zero, cuts drawing at the rectangle;
// values beyond the image are clamped to it.
void setDrawArea(Image& img, int left, int top, int right, int bottom, int clip);

}  // namespace draw
