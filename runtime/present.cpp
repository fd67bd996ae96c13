#include "runtime/present.h"

#include <algorithm>

#include "draw/page_lock.h"
#include "draw/rect.h"
#include "platform/backend.h"
#include "runtime/graph.h"
#include "runtime/graph_state.h"
#include "runtime/messages.h"

namespace runtime {

namespace {

// Presents the view region of an image to the window, cut to the image's store. The view
// origin is in page pixels, whatever the image's drawing area.
void presentView(platform::Window& window, const IMAGE& img) {
    const GraphState& gs = graphstate();
    const draw::Rect store{0, 0, img.width, img.height};
    const draw::Rect view =
        draw::clipRect(gs.viewleft, gs.viewtop, int64_t{gs.viewleft} + gs.viewwidth,
                       int64_t{gs.viewtop} + gs.viewheight, store);
    if (view.empty())
        return;
    const uint32_t* origin = img.pixels + static_cast<size_t>(view.top) * img.width + view.left;
    window.present(origin, img.width, view.width(), view.height());
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
        if (const PIMAGE page = gs.pages[gs.showpage])
            presentView(*window, *page);
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
    {
        // The copy is the only moment this thread reads a page.
        const auto guard = draw::lockPages();
        const PIMAGE page = gs.pages[gs.showpage];
        if (page == nullptr)
            return;
        gs.presentbuffer->copyimage(page);
    }
    presentView(*window, *gs.presentbuffer);
}

void timerRefresh() {
    GraphState& gs = graphstate();
    if (gs.framebusy)
        return;
    if (gs.refreshcountdown <= 0) {
        gs.refreshcountdown = kRefreshFresh;
        presentcopy();
    }
    if (gs.stoprefresh) {
        gs.stoprefresh = false;
        gs.framebusy = true;
    }
}

}  // namespace runtime

void setmanualpresent(int on) {
    GraphState& gs = graphstate();
    platform::Window* window = gs.window;
    if (window == nullptr)
        return;
    if (on != 0) {
        if (gs.manualpresent)
            return;
        window->killTimer(msg::kRefreshTimerId);
        gs.stoprefresh = true;
        // One more timer step on the window thread acknowledges the stop.
        window->postMessage({msg::kTimer, msg::kRefreshTimerId, 0});
        gs.manualpresent = true;
        while (gs.stoprefresh && !gs.closed)
            timersleep(1);
        return;
    }
    delayframe(0);
    window->setTimer(msg::kRefreshTimerId, 0);
    gs.framebusy = false;
    gs.manualpresent = false;
}
