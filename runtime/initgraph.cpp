// Bringing the runtime up, and the calls that act on the window and its pages.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "draw/control.h"
#include "draw/fatal.h"
#include "draw/page_lock.h"
#include "platform/backend.h"
#include "runtime/graph.h"
#include "runtime/graph_state.h"
#include "runtime/logo.h"
#include "runtime/messages.h"
#include "runtime/page_setup.h"
#include "runtime/window_proc.h"

namespace {

// Set by the first initgraph and never cleared.
bool initialisedOnce = false;

// Sizes are 16-bit; a negative one takes the desktop's.
void takeSize(int width, int height) {
    GraphState& gs = graphstate();
    gs.width = static_cast<int16_t>(width);
    gs.height = static_cast<int16_t>(height);
    if (gs.width < 0 || gs.height < 0) {
        const platform::Size desktop = platform::backend().desktopSize();
        if (gs.width < 0)
            gs.width = desktop.width;
        if (gs.height < 0)
            gs.height = desktop.height;
    }
    // A window needs at least one pixel each way.
    if (gs.width == 0)
        gs.width = 1;
    if (gs.height == 0)
        gs.height = 1;
}

// From now on a fatal error also shows its box over the window.
void showFatalBox(const char* title, const char* text) {
    platform::backend().showErrorBox(title, text);
}

void startWindowThread(int mode) {
    GraphState& gs = graphstate();
    gs.ready = 0;
    std::thread(runtime::windowthread, mode).detach();
    // The window thread reports its set-up through `ready`.
    gs.ready.wait(0);
    if (gs.ready < 0)
        std::exit(EXIT_FAILURE);
}

void firstInitgraph(int width, int height, int mode) {
    GraphState& gs = graphstate();
    gs.closerequested = 0;
    gs.closed = 0;
    initialisedOnce = true;
    draw::setFatalBoxShower(showFatalBox);
    takeSize(width, height);
    startWindowThread(mode);
    gs.window.load()->postMessage({msg::kPaint, 0, 0});
    gs.mousex = gs.width / 2;
    gs.mousey = gs.height / 2;
    ensureControlRoot();
    if (mode & MODE_STARTLOGO)
        runtime::playLogo();
    if (mode & MODE_MANUALPRESENT)
        setmanualpresent(1);
    gs.initdone = 1;
}

void laterInitgraph(int width, int height) {
    GraphState& gs = graphstate();
    gs.closerequested = 0;
    gs.closed = 0;
    takeSize(width, height);
    for (const std::atomic<PIMAGE>& page : gs.pages) {
        if (PIMAGE img = page)
            img->createimage(gs.width, gs.height);
    }
    runtime::pageSetup();
    gs.window.load()->show(true);
}

// A new page in an empty slot. Nothing of it has been presented yet.
void makePage(int slot) {
    GraphState& gs = graphstate();
    const PIMAGE page = newimage(gs.width, gs.height);
    if (page == nullptr)
        return;
    page->unpresented = draw::wholeImage(*page);
    gs.pages[slot] = page;
}

}  // namespace

void initgraph(int width, int height, int mode) {
    if (initialisedOnce) {
        laterInitgraph(width, height);
    } else {
        firstInitgraph(width, height, mode);
    }
}

void hidegraph() {
    if (platform::Window* window = graphstate().window)
        window->show(false);
}

void settitle(const char* text) {
    if (platform::Window* window = graphstate().window; window != nullptr && text != nullptr) {
        window->setCaption(text);
    }
}

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
    gs.refreshcountdown.fetch_sub(1);
    if (sameSize)
        return;
    if (platform::Window* window = gs.window; window != nullptr && width > 0 && height > 0) {
        window->setClientSize({width, height});
    }
}

namespace runtime {

void pageSetup() {
    GraphState& gs = graphstate();
    platform::Window* window = gs.window;
    gs.windowdc = window;
    gs.drawdc = window;
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
