// The setters and getters of an image's drawing state, and the drawing target.
#include <algorithm>

#include "draw/draw_context.h"
#include "draw/image_arg.h"
#include "draw/page_lock.h"
#include "draw/pen.h"
#include "runtime/graph.h"
#include "runtime/graph_state.h"

using draw::Counts;
using draw::drawableImage;

namespace {

constexpr RGBVAL kNoColor = 0xFFFFFFFF;

// Builds the pen from the stored line state; a style no pen can be made of keeps the old pen.
void selectPen(IMAGE& img) {
    if (auto pen = draw::makePen(img.linestyle, img.linepattern, img.linewidth, img.pencolor)) {
        img.dc->pen = *pen;
    }
}

}  // namespace

void setpencolor(RGBVAL color, PIMAGE arg) {
    PIMAGE img = drawableImage(arg, Counts::Yes);
    if (img == nullptr)
        return;
    img->pencolor = color;
    img->dc->textcolor = color;
    selectPen(*img);
}

RGBVAL getpencolor(PIMAGE arg) {
    PIMAGE img = drawableImage(arg, Counts::No);
    return img != nullptr ? img->pencolor : kNoColor;
}

void setpenstyle(int style, uint32_t pattern, int width, PIMAGE arg) {
    PIMAGE img = drawableImage(arg, Counts::No);
    if (img == nullptr)
        return;
    img->linestyle = style;
    img->linepattern = pattern & 0xFFFF;
    img->linewidth = width;
    selectPen(*img);
}

void setbrushcolor(RGBVAL color, PIMAGE arg) {
    PIMAGE img = drawableImage(arg, Counts::No);
    if (img == nullptr)
        return;
    img->fillcolor = color;
    img->dc->brush = draw::Brush{draw::kHatchNone, color};
}

void setbrushpattern(int pattern, RGBVAL color, PIMAGE arg) {
    PIMAGE img = drawableImage(arg, Counts::No);
    if (img == nullptr)
        return;
    img->fillcolor = color;
    img->dc->brush = draw::makePatternBrush(pattern, color);
}

RGBVAL getbackcolor(PIMAGE arg) {
    PIMAGE img = draw::resolveImage(arg, Counts::No);
    return img != nullptr ? img->bkcolor : kNoColor;
}

void setbackcolorkeep(RGBVAL color, PIMAGE arg) {
    PIMAGE img = drawableImage(arg, Counts::Yes);
    if (img == nullptr)
        return;
    img->bkcolor = color;
    img->dc->bkcolor = color;
}

void setbackcolor(RGBVAL color, PIMAGE arg) {
    PIMAGE img = drawableImage(arg, Counts::Yes);
    if (img == nullptr)
        return;
    const RGBVAL old = img->bkcolor;
    img->bkcolor = color;
    img->dc->bkcolor = color;
    // Everything drawn in the old background colour takes the new one.
    const auto guard = draw::lockIfPage(img);
    uint32_t* const end = img->pixels + static_cast<size_t>(img->width) * img->height;
    std::replace(img->pixels, end, old, color);
}

void settextanchor(int horiz, int vert, PIMAGE arg) {
    PIMAGE img = drawableImage(arg, Counts::No);
    if (img == nullptr)
        return;
    img->texthjust = horiz;
    img->textvjust = vert;
}

void setdrawarea(int left, int top, int right, int bottom, int clip, PIMAGE arg) {
    PIMAGE img = drawableImage(arg, Counts::Yes);
    if (img == nullptr)
        return;
    // Only the edges beyond the image are clamped; nothing checks that left is below right.
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, img->width);
    bottom = std::min(bottom, img->height);
    img->viewport[0] = left;
    img->viewport[1] = top;
    img->viewport[2] = right;
    img->viewport[3] = bottom;
    img->viewportclip = clip;

    const draw::Rect whole{0, 0, img->width, img->height};
    img->dc->clip = clip != 0 ? draw::intersect({left, top, right, bottom}, whole) : whole;
    img->dc->originx = left;
    img->dc->originy = top;
}

void getdrawarea(int* left, int* top, int* right, int* bottom, int* clip, PIMAGE arg) {
    PIMAGE img = drawableImage(arg, Counts::No);
    if (img == nullptr)
        return;
    if (left != nullptr)
        *left = img->viewport[0];
    if (top != nullptr)
        *top = img->viewport[1];
    if (right != nullptr)
        *right = img->viewport[2];
    if (bottom != nullptr)
        *bottom = img->viewport[3];
    if (clip != nullptr)
        *clip = img->viewportclip;
}

int settarget(PIMAGE img) {
    GraphState& gs = graphstate();
    // A page number is taken as the page it names; a missing page as no choice at all.
    if (img != nullptr)
        img = draw::resolveImage(img, Counts::No);
    gs.explicittarget = img;
    gs.target = img != nullptr ? img : gs.pages[gs.drawpage].load();
    return 0;
}

PIMAGE gettarget() {
    return graphstate().explicittarget;
}
