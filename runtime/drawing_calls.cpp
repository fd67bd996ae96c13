// The drawing calls: each resolves its image argument (0 counting as a draw on the current page
// where the call counts) and hands the image to the drawing layer. An argument that names no
// drawable image makes the call do nothing.
#include "draw/draw_context.h"
#include "draw/primitives.h"
#include "draw/state.h"
#include "draw/text.h"
#include "runtime/graph.h"
#include "runtime/graph_state.h"
#include "runtime/image_arg.h"

using runtime::Counts;
using runtime::drawableImage;

namespace {

// What the getters answer for an argument that names no image.
constexpr RGBVAL kNoColor = 0xFFFFFFFF;

}  // namespace

//------------------------------------------------------------------------------------------------
// Pen, brush and colours
//------------------------------------------------------------------------------------------------
void setpencolor(RGBVAL color, PIMAGE arg) {
    if (PIMAGE img = drawableImage(arg, Counts::Yes))
        draw::setPenColor(*img, color);
}

RGBVAL getpencolor(PIMAGE arg) {
    PIMAGE img = drawableImage(arg, Counts::No);
    return img != nullptr ? img->pencolor : kNoColor;
}

void setpenstyle(int style, uint32_t pattern, int width, PIMAGE arg) {
    if (PIMAGE img = drawableImage(arg, Counts::No))
        draw::setPenStyle(*img, style, pattern, width);
}

void setbrushcolor(RGBVAL color, PIMAGE arg) {
    if (PIMAGE img = drawableImage(arg, Counts::No))
        draw::setBrushColor(*img, color);
}

void setbrushpattern(int pattern, RGBVAL color, PIMAGE arg) {
    if (PIMAGE img = drawableImage(arg, Counts::No))
        draw::setBrushPattern(*img, pattern, color);
}

RGBVAL getbackcolor(PIMAGE arg) {
    PIMAGE img = runtime::resolveImage(arg, Counts::No);
    return img != nullptr ? img->bkcolor : kNoColor;
}

void setbackcolorkeep(RGBVAL color, PIMAGE arg) {
    if (PIMAGE img = drawableImage(arg, Counts::Yes))
        draw::setBackColorKeep(*img, color);
}

void setbackcolor(RGBVAL color, PIMAGE arg) {
    if (PIMAGE img = drawableImage(arg, Counts::Yes))
        draw::setBackColor(*img, color);
}

//------------------------------------------------------------------------------------------------
// Drawing area and target
//------------------------------------------------------------------------------------------------
void setdrawarea(int left, int top, int right, int bottom, int clip, PIMAGE arg) {
    if (PIMAGE img = drawableImage(arg, Counts::Yes))
        draw::setDrawArea(*img, left, top, right, bottom, clip);
}

void getdrawarea(int* left, int* top, int* right, int* bottom, int* clip, PIMAGE arg) {
    PIMAGE img = drawableImage(arg, Counts::No);
    if (img == nullptr)
        return;
    int* const fields[] = {left, top, right, bottom};
    for (int i = 0; i < 4; ++i) {
        if (fields[i] != nullptr)
            *fields[i] = img->viewport[i];
    }
    if (clip != nullptr)
        *clip = img->viewportclip;
}

int settarget(PIMAGE img) {
    GraphState& gs = graphstate();
    // A page number is taken as the page it names; a missing page as no choice at all.
    if (img != nullptr)
        img = runtime::resolveImage(img, Counts::No);
    gs.explicittarget = img;
    gs.target = img != nullptr ? img : gs.pages[gs.drawpage].load();
    return 0;
}

PIMAGE gettarget() {
    return graphstate().explicittarget;
}

//------------------------------------------------------------------------------------------------
// Primitives
//------------------------------------------------------------------------------------------------
void clearimage(PIMAGE arg) {
    if (PIMAGE img = drawableImage(arg, Counts::Yes))
        draw::clear(*img);
}

RGBVAL readpixel(int x, int y, PIMAGE arg) {
    PIMAGE img = runtime::resolveImage(arg, Counts::No);
    return img != nullptr ? draw::readPixel(*img, x, y) : 0;
}

void fillbar(int left, int top, int right, int bottom, PIMAGE arg) {
    if (PIMAGE img = drawableImage(arg, Counts::Yes))
        draw::fillBar(*img, left, top, right, bottom);
}

void drawarc(int x, int y, int startangle, int endangle, int xradius, int yradius, PIMAGE arg) {
    if (PIMAGE img = drawableImage(arg, Counts::Yes))
        draw::drawArc(*img, x, y, startangle, endangle, xradius, yradius);
}

void drawcircle(int x, int y, int radius, PIMAGE img) {
    drawarc(x, y, 0, 360, radius, radius, img);
}

//------------------------------------------------------------------------------------------------
// Text
//------------------------------------------------------------------------------------------------
void setfontface(int height, int width, const char* face, PIMAGE arg) {
    if (PIMAGE img = drawableImage(arg, Counts::No))
        draw::setFontFace(*img, height, width, face);
}

void settextanchor(int horiz, int vert, PIMAGE arg) {
    if (PIMAGE img = drawableImage(arg, Counts::No))
        draw::setTextAnchor(*img, horiz, vert);
}

void drawtext(int x, int y, const char* text, PIMAGE arg) {
    PIMAGE img = drawableImage(arg, Counts::Yes);
    if (img != nullptr && text != nullptr)
        draw::drawText(*img, x, y, text);
}

void drawchar(int x, int y, int ch, PIMAGE arg) {
    const char text[2] = {static_cast<char>(ch & 0xFF), '\0'};
    drawtext(x, y, text, arg);
}

int measuretextheight(const char*, PIMAGE arg) {
    PIMAGE img = drawableImage(arg, Counts::No);
    return img != nullptr ? draw::textHeight(*img) : 0;
}
