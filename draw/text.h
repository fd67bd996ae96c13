// Text in GBK byte strings, laid out in fixed cells: a single-byte character takes a cell
// `cellWidth` pixels wide, a double-byte character one twice as wide, and every cell is
// `cellHeight` pixels tall. Cells are opaque: each is filled with the background colour and the
// glyph drawn on it in the pen colour. Every call takes an image that has been created.
#pragma once

#include "draw/image.h"

namespace draw {

// Selects a font: cells `width` x `height` pixels (0 takes the default height 16, or half the
// height as width; a negative size its magnitude), in the face a GBK face name maps to.
void setFontFace(Image& img, int height, int width, const char* face);
// Draws the text's cells at (x, y), placed by the image's text anchor.
void drawText(Image& img, int x, int y, const char* text);
// The height of a text in the selected font: one cell.
int textHeight(const Image& img);

}  // namespace draw
