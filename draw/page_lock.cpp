#include "draw/page_lock.h"

#include "runtime/graph_state.h"

namespace draw {

namespace {
std::mutex& pagePixelsLock() {
    static std::mutex lock;
    return lock;
}
}  // namespace

std::unique_lock<std::mutex> lockIfPage(const IMAGE* img) {
    for (const std::atomic<PIMAGE>& page : graphstate().pages) {
        if (page.load(std::memory_order_relaxed) == img)
            return lockPages();
    }
    return {};
}

std::unique_lock<std::mutex> lockPages() {
    return std::unique_lock(pagePixelsLock());
}

}  // namespace draw
