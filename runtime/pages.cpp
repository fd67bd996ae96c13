// The pages, the view of the shown page, and their set-up.
#include "runtime/pages.h"

#include <cassert>
#include <memory>

#include "draw/page_lock.h"
#include "platform/backend.h"
#include "runtime/graph.h"
#include "runtime/graph_state.h"
#include "runtime/refresh_timer.h"

namespace {

// A new page in an empty slot. Nothing of it has been presented yet.
void makePage(int slot) {
    GraphState& gs = graphstate();
    if (const PIMAGE page = newimage(gs.width, gs.height))
        runtime::setPage(slot, page);
}

}  // namespace

void setdrawpage(int page) {
    GraphState& gs = graphstate();
    if (page < 0 || page >= kPageSlots)
        return;  // only four slots exist
    gs.drawpage = page;
    if (gs.pages[page] == nullptr) {
        makePage(page);
        if (const PIMAGE made = gs.pages[page])
            gs.drawdc = made->dc.get();
    }
}

void setshowpage(int page) {
    GraphState& gs = graphstate();
    if (page < 0 || page >= kPageSlots)
        return;
    if (gs.pages[page] == nullptr)
        makePage(page);
    gs.showpage = page;
    gs.refreshcountdown = 0;
    runtime::refreshMayBeDue();
}

void setwindowview(int left, int top, int right, int bottom) {
    GraphState& gs = graphstate();
    const int width = right - left;
    const int height = bottom - top;
    const bool sameOrigin = gs.viewleft == left && gs.viewtop == top;
    const bool sameSize = gs.viewwidth == width && gs.viewheight == height;
    gs.viewleft = left;
    gs.viewtop = top;
    gs.viewwidth = width;
    gs.viewheight = height;
    if (sameOrigin && sameSize)
        return;
    if (gs.refreshcountdown.fetch_sub(1) <= 1)
        runtime::refreshMayBeDue();
    if (sameSize)
        return;
    if (platform::Window* window = gs.window; window != nullptr && width > 0 && height > 0) {
        window->setClientSize({width, height});
    }
}

namespace runtime {

void setPage(int slot, PIMAGE page) {
    assert(slot >= 0 && slot < kPageSlots && page != nullptr);
    page->ispage = true;
    page->unpresented = draw::wholeImage(*page);
    graphstate().pages[slot] = page;
}

void pageSetup() {
    GraphState& gs = graphstate();
    gs.windowdc = gs.window.load();
    // Both live as long as the window; a later set-up reuses them, since the window thread may
    // be using them at this very moment.
    if (gs.presentbuffer == nullptr)
        gs.presentbuffer = newimage();
    if (gs.keyqueue == nullptr) {
        gs.keyqueue = std::make_unique<EventQueue>();
        gs.mousequeue = std::make_unique<EventQueue>();
    } else {
        gs.keyqueue->clear();
        gs.mousequeue->clear();
    }
    setdrawpage(0);
    settarget(nullptr);
    setshowpage(0);
    setwindowview(0, 0, gs.width, gs.height);
}

}  // namespace runtime
