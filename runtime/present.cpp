#include "runtime/present.h"

#include <algorithm>
#include <mutex>

#include "draw/page_lock.h"
#include "platform/backend.h"
#include "runtime/graph.h"
#include "runtime/graph_state.h"
#include "runtime/refresh_timer.h"

namespace runtime {

namespace {

// What the window last showed: which page, and which part of it. Guarded by the page lock.
struct Shown {
    const IMAGE* page = nullptr;
    platform::Rect view;
};
Shown shown;

// Both threads present: the main thread its page, the window thread its copy. Each takes what
// changed and sends it under this lock, taken before the page lock, so that an older picture
// never reaches the window after a newer one.
std::mutex presentLock;

// The part of an image the window shows, cut to the image's store. The view origin is in page
// pixels, whatever the image's drawing area.
platform::Rect viewOf(const IMAGE& img) {
    const GraphState& gs = graphstate();
    return platform::clipRect(gs.viewleft, gs.viewtop, int64_t{gs.viewleft} + gs.viewwidth,
                              int64_t{gs.viewtop} + gs.viewheight, draw::wholeImage(img));
}

// What changed on the page since the window last showed this view of it, in view pixels; the
// page starts afresh from here. Called with the page lock held.
platform::Rect takeChanges(IMAGE& page, const platform::Rect& view) {
    const bool sameAsShown = shown.page == &page && shown.view == view;
    const platform::Rect changed = sameAsShown ? platform::intersect(page.unpresented, view) : view;
    page.unpresented = {};
    shown = Shown{&page, view};
    if (changed.empty())
        return {};
    return {changed.left - view.left, changed.top - view.top, changed.right - view.left,
            changed.bottom - view.top};
}

void presentView(platform::Window& window, const IMAGE& img, const platform::Rect& view,
                 const platform::Rect& changed) {
    const uint32_t* origin = img.pixels + static_cast<size_t>(view.top) * img.width + view.left;
    window.present(origin, img.width, view.width(), view.height(), changed);
}

// The client area always ends up the size initgraph asked for.
void correctClientSize(platform::Window& window) {
    const GraphState& gs = graphstate();
    const platform::Size client = window.clientSize();
    if (client.width != gs.width || client.height != gs.height) {
        window.setClientSize({gs.width, gs.height});
    }
}

}  // namespace

int presentpage() {
    GraphState& gs = graphstate();
    if (gs.closed)
        return -1;
    platform::Window* window = gs.window;
    if (window == nullptr)
        return 20;
    if (window->visible()) {
        if (gs.windowdc.load() == nullptr)
            return 20;
        const PIMAGE page = gs.pages[gs.showpage];
        const platform::Rect view = page != nullptr ? viewOf(*page) : platform::Rect{};
        if (!view.empty()) {
            const std::lock_guard presenting(presentLock);
            platform::Rect changed;
            {
                const auto guard = draw::lockPages();
                changed = takeChanges(*page, view);
            }
            presentView(*window, *page, view, changed);
        }
    }
    gs.refreshcountdown = kRefreshFresh;
    correctClientSize(*window);
    return 0;
}

int refreshwindow(bool force) {
    GraphState& gs = graphstate();
    if (force || gs.refreshcountdown <= 0)
        presentpage();
    return gs.closed ? 0 : 1;
}

void presentcopy() {
    GraphState& gs = graphstate();
    platform::Window* window = gs.window;
    if (window == nullptr || gs.presentbuffer == nullptr)
        return;
    const std::lock_guard presenting(presentLock);
    platform::Rect view;
    platform::Rect changed;
    {
        // The copy is the only moment this thread reads a page.
        const auto guard = draw::lockPages();
        const PIMAGE page = gs.pages[gs.showpage];
        if (page == nullptr)
            return;
        gs.presentbuffer->copyimage(page);
        view = viewOf(*page);
        if (view.empty())
            return;
        changed = takeChanges(*page, view);
    }
    presentView(*window, *gs.presentbuffer, view, changed);
}

void timerRefresh() {
    GraphState& gs = graphstate();
    if (gs.framebusy) {
        parkRefreshTimer();
        return;
    }
    if (gs.refreshcountdown <= 0) {
        gs.refreshcountdown = kRefreshFresh;
        presentcopy();
    } else {
        parkRefreshTimer();
    }
    if (gs.stoprefresh) {
        gs.stoprefresh = false;
        gs.framebusy = true;
    }
}

}  // namespace runtime
