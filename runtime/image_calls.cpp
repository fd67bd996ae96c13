// The image calls: making, copying, loading and freeing images, and the transfers and blends
// between them. Each resolves its image arguments and hands explicit images to the drawing
// layer.
#include <algorithm>
#include <new>

#include "draw/blend.h"
#include "draw/draw_context.h"
#include "draw/page_lock.h"
#include "draw/picture.h"
#include "draw/transfer.h"
#include "runtime/fatal.h"
#include "runtime/graph.h"
#include "runtime/graph_state.h"
#include "runtime/image_arg.h"

using runtime::Counts;

namespace {

// The names the validity check gives the transfer and the blend methods.
constexpr const char* kTransferMethod = "IMAGE::putimage";
constexpr const char* kBlendMethod = "IMAGE::putimage_alphablend";

// Whether new images have something to be made against: the current image, the page drawn on,
// or the window while the first page is being made. Before initgraph there is none.
bool imagesMayBeMade() {
    const GraphState& gs = graphstate();
    const bool targetDrawable = gs.target != nullptr && gs.target->dc != nullptr;
    return targetDrawable || gs.drawdc.load() != nullptr || gs.windowdc.load() != nullptr;
}

// The create step shared by construction, resizing and copying. An image that has never been
// created cannot be before initgraph. Only such an image looks at the runtime: the window thread
// copies into its present buffer, and must not read the main thread's target.
int createStep(IMAGE& img, int width, int height) {
    if (img.dc == nullptr && !imagesMayBeMade())
        runtime::fatalImageBeforeInit(&img);
    return draw::createImage(img, width, height);
}

// The destination of a transfer or blend method, after the validity check of its source: null
// when there is nothing to transfer onto, or nothing to transfer from. Argument 0 counts as a
// draw on the current page.
PIMAGE transferTarget(const IMAGE& src, PIMAGE dst, const char* method) {
    runtime::checkImage(&src, method);
    const PIMAGE target = runtime::drawableImage(dst, Counts::Yes);
    // An image whose creation failed has no pixels to give.
    return src.dc != nullptr ? target : nullptr;
}

// Pages and the drawing target must never point at a freed image.
void forgetImage(PIMAGE img) {
    GraphState& gs = graphstate();
    for (std::atomic<PIMAGE>& page : gs.pages) {
        if (page == img)
            page = nullptr;
    }
    if (gs.explicittarget == img)
        gs.explicittarget = nullptr;
    if (gs.target == img)
        gs.target = gs.explicittarget ? gs.explicittarget : gs.pages[gs.drawpage].load();
}

}  // namespace

int IMAGE::createimage(int w, int h) {
    runtime::checkImage(this, "IMAGE::createimage");
    return createStep(*this, w, h);
}

void IMAGE::copyimage(PIMAGE source) {
    runtime::checkImage(this, "IMAGE::copyimage");
    const PIMAGE src = runtime::resolveImage(source, Counts::No);
    if (src == nullptr || src->pixels == nullptr)
        return;
    if (src->width != width || src->height != height) {
        if (createStep(*this, src->width, src->height) != 0)
            return;
    }
    if (src != this)
        draw::copyPixels(*this, *src);
}

int IMAGE::getimage(const void* data, size_t count) {
    runtime::checkImage(this, "IMAGE::getimage");
    if (dc == nullptr && !imagesMayBeMade())
        runtime::fatalImageBeforeInit(this);
    return draw::loadJpeg(*this, data, count);
}

int IMAGE::putimage(PIMAGE dst, int xDest, int yDest, int copyWidth, int copyHeight, int xSrc,
                    int ySrc, uint32_t rop) const {
    const PIMAGE target = transferTarget(*this, dst, kTransferMethod);
    if (target == nullptr)
        return draw::kTransferFailed;
    return draw::transfer(*target, xDest, yDest, copyWidth, copyHeight, *this, xSrc, ySrc, rop);
}

int IMAGE::putimage(PIMAGE dst, int xDest, int yDest, uint32_t rop) const {
    return putimage(dst, xDest, yDest, width, height, 0, 0, rop);
}

int IMAGE::putimage(int xDest, int yDest, uint32_t rop) const {
    runtime::checkImage(this, kTransferMethod);
    // The draw is counted here, once: the image passed on is no longer argument 0.
    const PIMAGE current = runtime::resolveImage(nullptr, Counts::Yes);
    if (current == nullptr)
        return draw::kTransferFailed;
    return putimage(current, xDest, yDest, rop);
}

int IMAGE::putimage(PIMAGE dst, int xDest, int yDest, int destWidth, int destHeight, int xSrc,
                    int ySrc, int srcWidth, int srcHeight, uint32_t rop) const {
    const PIMAGE target = transferTarget(*this, dst, kTransferMethod);
    if (target == nullptr)
        return draw::kTransferFailed;
    return draw::stretch(*target, xDest, yDest, destWidth, destHeight, *this, xSrc, ySrc, srcWidth,
                         srcHeight, rop);
}

int IMAGE::putimage_alphablend(PIMAGE dst, int xDest, int yDest, uint32_t alpha, int xSrc, int ySrc,
                               int blendWidth, int blendHeight) const {
    runtime::checkImage(this, kBlendMethod);
    if (const PIMAGE target = runtime::drawableImage(dst, Counts::Yes)) {
        draw::blendConstant(*target, *this, xDest, yDest, alpha, xSrc, ySrc, blendWidth,
                            blendHeight);
    }
    return 0;
}

int IMAGE::putimage_alphablend(PIMAGE dst, int xDest, int yDest, PIMAGE mask, int xSrc, int ySrc,
                               int blendWidth, int blendHeight) const {
    runtime::checkImage(this, kBlendMethod);
    // The mask is read like the source, so it must be an image just the same.
    runtime::checkImage(mask, kBlendMethod);
    if (const PIMAGE target = runtime::drawableImage(dst, Counts::Yes)) {
        draw::blendMasked(*target, *this, *mask, xDest, yDest, xSrc, ySrc, blendWidth, blendHeight);
    }
    return 0;
}

int putimage(int xDest, int yDest, PIMAGE src, uint32_t rop) {
    // Checked before the call: calling a method through a null handle would itself be undefined.
    runtime::checkImage(src, kTransferMethod);
    return src->putimage(xDest, yDest, rop);
}

int putimage(PIMAGE dst, int xDest, int yDest, int destWidth, int destHeight, PIMAGE src, int xSrc,
             int ySrc, int srcWidth, int srcHeight, uint32_t rop) {
    runtime::checkImage(src, kTransferMethod);
    return src->putimage(dst, xDest, yDest, destWidth, destHeight, xSrc, ySrc, srcWidth, srcHeight,
                         rop);
}

int putimage_alphablend(PIMAGE dst, PIMAGE src, int xDest, int yDest, uint32_t alpha, int xSrc,
                        int ySrc, int width, int height) {
    runtime::checkImage(src, kBlendMethod);
    return src->putimage_alphablend(dst, xDest, yDest, alpha, xSrc, ySrc, width, height);
}

PIMAGE newimage() {
    return newimage(1, 1);
}

PIMAGE newimage(int width, int height) {
    auto* img = new (std::nothrow) IMAGE();
    if (img == nullptr)
        return nullptr;
    // A failed creation still hands out the record: an image without a store, on which every
    // drawing call does nothing.
    createStep(*img, std::max(width, 1), std::max(height, 1));
    return img;
}

void freeimage(PIMAGE img) {
    // Page numbers are not images of the caller's to free.
    if (runtime::isPageNumber(img))
        return;
    // A page is taken out of the page table under the lock, so a refresh never copies it freed.
    const auto guard = draw::lockIfPage(*img);
    forgetImage(img);
    delete img;
}

int imagewidth(PIMAGE img) {
    const PIMAGE resolved = runtime::resolveImage(img, Counts::No);
    return resolved != nullptr ? resolved->width : 0;
}

int imageheight(PIMAGE img) {
    const PIMAGE resolved = runtime::resolveImage(img, Counts::No);
    return resolved != nullptr ? resolved->height : 0;
}
