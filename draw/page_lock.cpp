#include "draw/page_lock.h"

namespace draw {

namespace {

std::mutex& pagePixelsLock() {
    static std::mutex lock;
    return lock;
}

}  // namespace

std::unique_lock<std::mutex> lockIfPage(Image& img, const Rect& changed) {
    if (!img.ispage)
        return {};
    std::unique_lock<std::mutex> guard = lockPages();
    img.unpresented = unite(img.unpresented, changed);
    return guard;
}

std::unique_lock<std::mutex> lockIfPage(Image& img) {
    return lockIfPage(img, wholeImage(img));
}

std::unique_lock<std::mutex> lockPages() {
    return std::unique_lock(pagePixelsLock());
}

}  // namespace draw
