#include "draw/page_lock.h"

#include "runtime/graph_state.h"

namespace draw {

namespace {

std::mutex& pagePixelsLock() {
    static std::mutex lock;
    return lock;
}

bool isPage(const IMAGE* img) {
    for (const std::atomic<PIMAGE>& page : graphstate().pages) {
        if (page.load(std::memory_order_relaxed) == img)
            return true;
    }
    return false;
}

// The smallest rectangle holding both; an empty one adds nothing.
Rect unite(const Rect& a, const Rect& b) {
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

}  // namespace

std::unique_lock<std::mutex> lockIfPage(IMAGE* img, const Rect& changed) {
    if (!isPage(img))
        return {};
    std::unique_lock<std::mutex> guard = lockPages();
    img->unpresented = unite(img->unpresented, changed);
    return guard;
}

std::unique_lock<std::mutex> lockIfPage(IMAGE* img) {
    return lockIfPage(img, wholeImage(*img));
}

std::unique_lock<std::mutex> lockPages() {
    return std::unique_lock(pagePixelsLock());
}

}  // namespace draw
