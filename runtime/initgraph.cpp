// Bringing the runtime up, and the calls that act on the window.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/backend.h"
#include "platform/messages.h"
#include "runtime/control.h"
#include "runtime/fatal.h"
#include "runtime/graph.h"
#include "runtime/graph_state.h"
#include "runtime/logo.h"
#include "runtime/pages.h"
#include "runtime/window_thread.h"

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
    // The window thread reports its set-up through `ready`. It is polled rather than waited on:
    // where the standard library has no futex to wait on (Windows), its atomic wait can miss
    // the wake-up and wait for ever.
    while (gs.ready == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (gs.ready < 0)
        std::exit(EXIT_FAILURE);
}

void firstInitgraph(int width, int height, int mode) {
    GraphState& gs = graphstate();
    gs.closerequested = 0;
    gs.closed = 0;
    initialisedOnce = true;
    runtime::setFatalBoxShower(showFatalBox);
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
