// Trivanta's graphics runtime: the public calls, grouped by concern.
//
// Every drawing call takes, last, an image argument: 0 (the default) is the current image,
// normally the drawing page; 1 to 31 name page slot (n & 15), passed as
// reinterpret_cast<PIMAGE>(n); anything else is an image made with newimage. A call marked
// "counts" lowers the page's refresh countdown when its argument is 0, which lets the window
// show the page on its own after enough drawing. Coordinates are whole pixels relative to the
// image's drawing area; rectangles include left/top and exclude right/bottom.
#pragma once

#include <cstdint>

#include "platform/font.h"
#include "runtime/image.h"

//------------------------------------------------------------------------------------------------
// Window and runtime
//------------------------------------------------------------------------------------------------
inline constexpr int MODE_BORDERLESS = 0x1;           // no caption or frame
inline constexpr int MODE_CHILDWINDOW = 0x2;          // accepted, but there is no host window
inline constexpr int MODE_ALWAYSONTOP = 0x4;          // above other windows
inline constexpr int MODE_MANUALPRESENT = 0x8;        // no timer refresh: only pacing presents
inline constexpr int MODE_KEEPPROCESSONCLOSE = 0x10;  // the close button only asks the program
inline constexpr int MODE_STARTLOGO = 0x100;          // play the start-up logo

// Opens the window with a width x height drawing area and page 0 cleared to black (a later call
// resizes and shows it again). A negative size takes the desktop's. Before any other call.
void initgraph(int width, int height, int mode = 0);
void hidegraph();                                              // hides the window
void settitle(const char* text);                               // the caption, a GBK string
void setdrawpage(int page);                                    // pages 0 to 3 drawing goes to
void setshowpage(int page);                                    // the page the window shows
void setwindowview(int left, int top, int right, int bottom);  // the shown part of the page

//------------------------------------------------------------------------------------------------
// Input
//------------------------------------------------------------------------------------------------
inline constexpr int KEYEV_DOWN = 1;
inline constexpr int KEYEV_UP = 2;
inline constexpr int KEYEV_CHAR = 4;
inline constexpr int KEYMOD_SHIFT = 0x100;
inline constexpr int KEYMOD_CTRL = 0x200;

struct KeyEventInfo {
    int key = 0;        // virtual-key or character code
    int kind = 0;       // KEYEV_DOWN, KEYEV_UP, KEYEV_CHAR, or 0 when nothing was read
    int modifiers = 0;  // KEYMOD_SHIFT and KEYMOD_CTRL held when the event was read
};

// The code of the key waiting at the head of the queue (a typed character | 0x40000, or a
// navigation or function key | 0x10000), 0 when none waits, -1 when the window is closed.
int keyready();
// Waits for a fresh key: a typed character as its code (case as typed, Enter 13), a navigation
// or function key as its virtual-key code + 0x100. Keys queued 1 s or more before the call are
// skipped. 0 when the window closes meanwhile, -1 when it was closed.
int readkey();
void readkeyevent(KeyEventInfo* info);  // waits for any key event and describes it
int iskeydown(int virtualKey);          // 1 held, 0 not, -1 for codes outside 0 to 255

//------------------------------------------------------------------------------------------------
// Timing and presentation
//------------------------------------------------------------------------------------------------
// Shows the page and returns no earlier than ms milliseconds after the call; 0 only shows what
// was drawn.
void delayframe(int ms);
void delayrate(double fps);     // paces frames at fps per second without drift
void setmanualpresent(int on);  // 1: only pacing calls present; 0: timer refresh again
double elapsedseconds();        // seconds since the first call
void timersleep(int ms);        // sleeps ms milliseconds

//------------------------------------------------------------------------------------------------
// Images
//------------------------------------------------------------------------------------------------
PIMAGE newimage();                       // a new 1 x 1 image; null without memory
PIMAGE newimage(int width, int height);  // a new image; sizes below 1 become 1
void freeimage(PIMAGE img);              // frees an image; null is ignored
int imagewidth(PIMAGE img = nullptr);    // width, or 0 when img names no image
int imageheight(PIMAGE img = nullptr);   // height, or 0 when img names no image

//------------------------------------------------------------------------------------------------
// Drawing target
//------------------------------------------------------------------------------------------------
int settarget(PIMAGE img);  // image argument 0 now means img (null: page)
PIMAGE gettarget();         // the image chosen with settarget, or null

//------------------------------------------------------------------------------------------------
// Pen, brush and colours
//------------------------------------------------------------------------------------------------
void setpencolor(RGBVAL color, PIMAGE img = nullptr);  // line and text colour; counts
RGBVAL getpencolor(PIMAGE img = nullptr);              // 0xFFFFFFFF when img names no image
// Line style: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none, 6 inside frame,
// 7 user pattern (low 16 bits of pattern, bit 0 first: runs of equal bits alternate dash, gap).
void setpenstyle(int style, uint32_t pattern, int width, PIMAGE img = nullptr);
void setbrushcolor(RGBVAL color, PIMAGE img = nullptr);  // solid fill colour
// Fill pattern: 2 and 9 vertical hatch, 3 and 4 rising 45 degree hatch, 5 and 6 falling 45
// degree hatch, 7 cross hatch, 8, 10 and 11 diagonal cross hatch, anything else solid. The
// background colour shows between hatch lines.
void setbrushpattern(int pattern, RGBVAL color, PIMAGE img = nullptr);
RGBVAL getbackcolor(PIMAGE img = nullptr);  // 0xFFFFFFFF when img names no image
void setbackcolor(RGBVAL color,
                  PIMAGE img = nullptr);  // also recolours old-background pixels; counts
void setbackcolorkeep(RGBVAL color, PIMAGE img = nullptr);  // background colour only; counts

//------------------------------------------------------------------------------------------------
// Drawing area
//------------------------------------------------------------------------------------------------
// Moves the origin to (left, top) and, when clip is non-zero, cuts drawing at the rectangle;
// values are clamped to the image. Counts.
void setdrawarea(int left, int top, int right, int bottom, int clip, PIMAGE img = nullptr);
void getdrawarea(int* left, int* top, int* right, int* bottom, int* clip, PIMAGE img = nullptr);

//------------------------------------------------------------------------------------------------
// Primitives
//------------------------------------------------------------------------------------------------
void clearimage(PIMAGE img = nullptr);                 // every pixel to the background; counts
RGBVAL readpixel(int x, int y, PIMAGE img = nullptr);  // 0 outside the image
void fillbar(int left, int top, int right, int bottom, PIMAGE img = nullptr);  // counts
// Outline of the ellipse around (x, y), counter-clockwise from startangle to endangle
// (degrees); equal end points give the whole ellipse. Counts.
void drawarc(int x, int y, int startangle, int endangle, int xradius, int yradius,
             PIMAGE img = nullptr);
void drawcircle(int x, int y, int radius, PIMAGE img = nullptr);  // counts

//------------------------------------------------------------------------------------------------
// Text (GBK byte strings)
//------------------------------------------------------------------------------------------------
// The two face names every installation maps to installed Chinese faces, as GBK bytes.
inline constexpr const char* FACE_HEI = platform::kSansFaceName.data();    // "黑体", sans
inline constexpr const char* FACE_SONG = platform::kSerifFaceName.data();  // "宋体", serif

// Selects a font laid out in fixed cells: single-byte characters `width` wide, double-byte
// characters 2 * `width`, `height` tall. Faces "黑体" (sans) and "宋体" (serif) map to installed
// Chinese faces.
void setfontface(int height, int width, const char* face, PIMAGE img = nullptr);
// Text anchor: horiz 0 left, 1 centre, 2 right; vert 0 bottom, 1 centre, 2 top.
void settextanchor(int horiz, int vert, PIMAGE img = nullptr);
void drawtext(int x, int y, const char* text, PIMAGE img = nullptr);  // opaque cells; counts
void drawchar(int x, int y, int ch, PIMAGE img = nullptr);            // the byte ch & 0xFF; counts
int measuretextheight(const char* text, PIMAGE img = nullptr);        // cell height in pixels

//------------------------------------------------------------------------------------------------
// Transfers and blends (the IMAGE methods of runtime/image.h do the work)
//------------------------------------------------------------------------------------------------
// The whole source onto the current image at (xDest, yDest); counts.
int putimage(int xDest, int yDest, PIMAGE src, uint32_t rop = SRCCOPY);
// The source rectangle scaled onto the destination rectangle.
int putimage(PIMAGE dst, int xDest, int yDest, int destWidth, int destHeight, PIMAGE src, int xSrc,
             int ySrc, int srcWidth, int srcHeight, uint32_t rop = SRCCOPY);
// Constant-opacity blend of the source onto the destination; width 0 means the whole source.
int putimage_alphablend(PIMAGE dst, PIMAGE src, int xDest, int yDest, uint32_t alpha, int xSrc = 0,
                        int ySrc = 0, int width = 0, int height = 0);
