// Making, resizing, copying and freeing images.
#include "draw/image.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "draw/draw_context.h"
#include "draw/fatal.h"
#include "draw/image_arg.h"
#include "draw/page_lock.h"
#include "runtime/graph.h"
#include "runtime/graph_state.h"

namespace {

// The largest store we hand out, in words (spare row included): 2 GiB. Larger requests fail as
// if memory had run out, rather than overflow a size computation.
constexpr int64_t kMaxStoreWords = int64_t{1} << 29;

constexpr RGBVAL kDefaultPenColor = 0xA8A8A8;

PixelStore allocateStore(int width, int height) {
    const int64_t words = int64_t{width} * (int64_t{height} + 1);
    if (words > kMaxStoreWords)
        return nullptr;
    return PixelStore(static_cast<uint32_t*>(std::calloc(static_cast<size_t>(words), 4)));
}

// The drawing state every image starts with.
void applyDefaults(IMAGE& img) {
    setpencolor(kDefaultPenColor, &img);
    setbackcolorkeep(0x000000, &img);  // nothing is drawn yet
    setbrushpattern(1, 0x000000, &img);
    setpenstyle(draw::kPenSolid, 0, 1, &img);
    settextanchor(0, 2, &img);
}

const void* surfaceOf(PIMAGE img) {
    return img != nullptr ? img->dc.get() : nullptr;
}

// The surface new images are made against: the current image's, else the runtime's. A target
// whose creation failed has no surface, and the runtime's stands in for it.
const void* newImageSurface() {
    const GraphState& gs = graphstate();
    const void* targetSurface = surfaceOf(gs.target);
    return targetSurface != nullptr ? targetSurface : gs.drawdc.load();
}

// The create step shared by construction, resizing and copying. Without a surface to make it
// against (before initgraph), an image that has never been created cannot be. Only such an image
// looks for one: the window thread copies into its present buffer, and must not read the main
// thread's target.
int createStep(IMAGE& img, int width, int height) {
    std::memset(img.viewport, 0, sizeof img.viewport);
    img.viewportclip = 0;
    if (img.dc == nullptr && newImageSurface() == nullptr)
        draw::fatalImageBeforeInit(&img);
    if (width < 1 || height < 1)
        return EINVAL;

    PixelStore store = allocateStore(width, height);
    if (store == nullptr)
        return ENOMEM;
    const bool firstCreation = img.dc == nullptr;
    if (firstCreation) {
        img.dc.reset(new (std::nothrow) draw::DrawContext());
        if (img.dc == nullptr)
            return ENOMEM;
    }
    {
        const auto guard = draw::lockIfPage(&img, draw::Rect{0, 0, width, height});
        img.pixels = store.get();
        img.bitmap = std::move(store);
        img.width = width;
        img.height = height;
    }
    if (firstCreation)
        applyDefaults(img);
    setdrawarea(0, 0, width, height, 1, &img);
    // The fresh store is already black; only another background colour is filled in.
    if (img.bkcolor != 0x000000)
        clearimage(&img);
    return 0;
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

void PixelStoreFree::operator()(uint32_t* words) const noexcept {
    std::free(words);
}

IMAGE::~IMAGE() = default;

int IMAGE::createimage(int w, int h) {
    draw::checkImage(this, "IMAGE::createimage");
    return createStep(*this, w, h);
}

void IMAGE::copyimage(PIMAGE source) {
    draw::checkImage(this, "IMAGE::copyimage");
    const PIMAGE src = draw::resolveImage(source, draw::Counts::No);
    if (src == nullptr || src->pixels == nullptr)
        return;
    if (src->width != width || src->height != height) {
        if (createStep(*this, src->width, src->height) != 0)
            return;
    }
    if (src == this)
        return;
    const auto guard = draw::lockIfPage(this);
    std::memcpy(pixels, src->pixels, sizeof(uint32_t) * static_cast<size_t>(width) * height);
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
    if (draw::isPageNumber(img))
        return;
    // A page is taken out of the page table under the lock, so a refresh never copies it freed.
    const auto guard = draw::lockIfPage(img);
    forgetImage(img);
    delete img;
}

int imagewidth(PIMAGE img) {
    const PIMAGE resolved = draw::resolveImage(img, draw::Counts::No);
    return resolved != nullptr ? resolved->width : 0;
}

int imageheight(PIMAGE img) {
    const PIMAGE resolved = draw::resolveImage(img, draw::Counts::No);
    return resolved != nullptr ? resolved->height : 0;
}
