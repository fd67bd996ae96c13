// Random sequences of drawing calls: pens of every style, pattern and width, brushes, drawing
// areas with and without clipping, colours, shapes and transfers of every form between images of
// odd sizes, at extreme coordinates and radii.
//
// Input: the page's width and height (one byte each), the sizes of three more images (two bytes
// each), then calls until the input ends (64 at most), each a byte choosing the call
// followed by its arguments as tests/fuzz/fuzz_input.h reads them.
#include <cstddef>
#include <cstdint>

#include "runtime/graph.h"
#include "tests/fuzz/fuzz_images.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

constexpr int kImages = 3;

// The raster operation of a transfer: mostly the plain copy, else any code.
uint32_t rasterOp(FuzzInput& in) {
    return in.byte() % 2 == 0 ? SRCCOPY : in.word();
}

void setPenOrBrush(FuzzInput& in, FuzzImages& images) {
    enum Call { kPenStyle, kBrushColor, kBrushPattern, kCalls };
    switch (in.byte() % kCalls) {
        case kPenStyle: {
            // Styles a little beyond both ends of the valid range, which keep the old pen.
            const int style = in.byte() % 12 - 2;
            const uint32_t pattern = in.word();
            const int width = in.number();
            setpenstyle(style, pattern, width, images.argument(in));
            break;
        }
        case kBrushColor: {
            const RGBVAL color = in.word();
            setbrushcolor(color, images.argument(in));
            break;
        }
        default: {
            const int pattern = in.byte() % 16 - 2;
            const RGBVAL color = in.word();
            setbrushpattern(pattern, color, images.argument(in));
            break;
        }
    }
}

void drawShape(FuzzInput& in, FuzzImages& images) {
    enum Call { kClear, kBar, kArc, kCircle, kReadPixel, kCalls };
    switch (in.byte() % kCalls) {
        case kClear:
            clearimage(images.argument(in));
            break;
        case kBar: {
            const int left = in.number();
            const int top = in.number();
            const int right = in.number();
            const int bottom = in.number();
            const PIMAGE dst = images.argument(in);
            drawInsideClip(dst, [&] { fillbar(left, top, right, bottom, dst); });
            break;
        }
        case kArc: {
            const int x = in.number();
            const int y = in.number();
            const int start = in.number();
            const int end = in.number();
            const int xradius = in.number();
            const int yradius = in.number();
            const PIMAGE dst = images.argument(in);
            drawInsideClip(dst, [&] { drawarc(x, y, start, end, xradius, yradius, dst); });
            break;
        }
        case kCircle: {
            const int x = in.number();
            const int y = in.number();
            const int radius = in.number();
            const PIMAGE dst = images.argument(in);
            drawInsideClip(dst, [&] { drawcircle(x, y, radius, dst); });
            break;
        }
        default: {
            const int x = in.number();
            const int y = in.number();
            readpixel(x, y, images.argument(in));
            break;
        }
    }
}

// The same-size transfers, in each of their forms.
void transfer(FuzzInput& in, FuzzImages& images) {
    const PIMAGE src = images.image(in);
    const int x = in.number();
    const int y = in.number();
    switch (in.byte() % 3) {
        case 0: {
            const uint32_t rop = rasterOp(in);
            drawInsideClip(nullptr, [&] { putimage(x, y, src, rop); });
            break;
        }
        case 1: {
            const PIMAGE dst = images.argument(in);
            const uint32_t rop = rasterOp(in);
            drawInsideClip(dst, [&] { src->putimage(dst, x, y, rop); });
            break;
        }
        default: {
            const PIMAGE dst = images.argument(in);
            const int width = in.number();
            const int height = in.number();
            const int xSrc = in.number();
            const int ySrc = in.number();
            const uint32_t rop = rasterOp(in);
            drawInsideClip(dst, [&] { src->putimage(dst, x, y, width, height, xSrc, ySrc, rop); });
            break;
        }
    }
}

void stretch(FuzzInput& in, FuzzImages& images) {
    const PIMAGE dst = images.argument(in);
    const int x = in.number();
    const int y = in.number();
    const int width = in.number();
    const int height = in.number();
    const PIMAGE src = images.image(in);
    const int xSrc = in.number();
    const int ySrc = in.number();
    const int srcWidth = in.number();
    const int srcHeight = in.number();
    const uint32_t rop = rasterOp(in);
    drawInsideClip(dst, [&] {
        putimage(dst, x, y, width, height, src, xSrc, ySrc, srcWidth, srcHeight, rop);
    });
}

// The constant blend, or the masked one when the next byte is odd.
void blend(FuzzInput& in, FuzzImages& images) {
    const PIMAGE dst = images.argument(in);
    const PIMAGE src = images.image(in);
    const int x = in.number();
    const int y = in.number();
    const bool masked = in.byte() % 2 == 1;
    const uint32_t alpha = in.word();
    const PIMAGE mask = masked ? images.image(in) : nullptr;
    const int xSrc = in.number();
    const int ySrc = in.number();
    const int width = in.number();
    const int height = in.number();
    if (masked) {
        src->putimage_alphablend(dst, x, y, mask, xSrc, ySrc, width, height);
    } else {
        putimage_alphablend(dst, src, x, y, alpha, xSrc, ySrc, width, height);
    }
}

// Making, resizing, copying and measuring images.
void changeImages(FuzzInput& in, FuzzImages& images) {
    switch (in.byte() % 4) {
        case 0:
            images.remake(in);
            break;
        case 1: {
            const PIMAGE img = images.image(in);
            const int width = in.byte();
            img->createimage(width, in.byte());
            break;
        }
        case 2: {
            const PIMAGE img = images.image(in);
            img->copyimage(images.argument(in));
            break;
        }
        default: {
            const PIMAGE img = images.argument(in);
            int left = 0, top = 0, right = 0, bottom = 0, clip = 0;
            getdrawarea(&left, &top, &right, &bottom, &clip, img);
            imagewidth(img);
            imageheight(img);
            getpencolor(img);
            getbackcolor(img);
            break;
        }
    }
}

void drawCall(FuzzInput& in, FuzzImages& images) {
    enum Call { kShared, kPenOrBrush, kShape, kTransfer, kStretch, kBlend, kImageCalls, kCalls };
    switch (in.byte() % kCalls) {
        case kShared:
            changeSharedState(in, images);
            break;
        case kPenOrBrush:
            setPenOrBrush(in, images);
            break;
        case kShape:
            drawShape(in, images);
            break;
        case kTransfer:
            transfer(in, images);
            break;
        case kStretch:
            stretch(in, images);
            break;
        case kBlend:
            blend(in, images);
            break;
        default:
            changeImages(in, images);
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    FuzzImages images(in, kImages);
    images.run(in, drawCall);
    return 0;
}
