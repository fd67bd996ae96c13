#include "draw/state.h"

#include <algorithm>
#include <cassert>

#include "draw/draw_context.h"
#include "draw/page_lock.h"
#include "draw/pen.h"

namespace draw {

namespace {

// Builds the pen from the stored line state; a style no pen can be made of keeps the old pen.
void selectPen(Image& img) {
    if (auto pen = makePen(img.linestyle, img.linepattern, img.linewidth, img.pencolor))
        img.dc->pen = *pen;
}

}  // namespace

void setPenColor(Image& img, RGBVAL color) {
    assert(img.dc != nullptr);
    img.pencolor = color;
    img.dc->textcolor = color;
    selectPen(img);
}

void setPenStyle(Image& img, int style, uint32_t pattern, int width) {
    assert(img.dc != nullptr);
    img.linestyle = style;
    img.linepattern = pattern & 0xFFFF;
    img.linewidth = width;
    selectPen(img);
}

void setBrushColor(Image& img, RGBVAL color) {
    assert(img.dc != nullptr);
    img.fillcolor = color;
    img.dc->brush = Brush{kHatchNone, color};
}

void setBrushPattern(Image& img, int pattern, RGBVAL color) {
    assert(img.dc != nullptr);
    img.fillcolor = color;
    img.dc->brush = makePatternBrush(pattern, color);
}

void setBackColorKeep(Image& img, RGBVAL color) {
    assert(img.dc != nullptr);
    img.bkcolor = color;
    img.dc->bkcolor = color;
}

void setBackColor(Image& img, RGBVAL color) {
    const RGBVAL old = img.bkcolor;
    setBackColorKeep(img, color);
    // Everything drawn in the old background colour takes the new one.
    const auto guard = lockIfPage(img);
    uint32_t* const end = img.pixels + static_cast<size_t>(img.width) * img.height;
    std::replace(img.pixels, end, old, color);
}

void setTextAnchor(Image& img, int horiz, int vert) {
    img.texthjust = horiz;
    img.textvjust = vert;
}

void setDrawArea(Image& img, int left, int top, int right, int bottom, int clip) {
    assert(img.dc != nullptr);
    // Only the edges beyond the image are clamped; nothing checks that left is below right.
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, img.width);
    bottom = std::min(bottom, img.height);
    img.viewport[0] = left;
    img.viewport[1] = top;
    img.viewport[2] = right;
    img.viewport[3] = bottom;
    img.viewportclip = clip;

    const Rect whole = wholeImage(img);
    img.dc->clip = clip != 0 ? intersect({left, top, right, bottom}, whole) : whole;
    img.dc->originx = left;
    img.dc->originy = top;
}

}  // namespace draw
