// The window thread: the window's whole life, from its making to its message loop.
#include "runtime/window_thread.h"

#include <cstdio>
#include <string>

#include "assets/icon.h"
#include "platform/backend.h"
#include "platform/messages.h"
#include "runtime/graph.h"
#include "runtime/graph_state.h"
#include "runtime/pages.h"
#include "runtime/refresh_timer.h"
#include "runtime/window_proc.h"

namespace runtime {

namespace {

constexpr int kRefreshIntervalMs = 50;

void requestClose() {
    graphstate().closerequested = 1;
}

void reportReady(int32_t state) {
    graphstate().ready = state;
}

// Makes the window; it lives until the process ends, as the main thread may use it to the end.
platform::Window* makeWindow(int mode) {
    const GraphState& gs = graphstate();
    platform::WindowRequest wanted;
    wanted.width = gs.width;
    wanted.height = gs.height;
    wanted.borderless = (mode & MODE_BORDERLESS) != 0;
    wanted.topmost = (mode & MODE_ALWAYSONTOP) != 0;
    wanted.className = gs.classname;
    wanted.caption = gs.caption;
    wanted.icon = {assets::kIconPictures, assets::kIconPicturesSize};
    std::string error;
    platform::Window* window = platform::backend().createWindow(wanted, error).release();
    if (window == nullptr)
        std::fprintf(stderr, "%s\n", error.c_str());
    return window;
}

void messageLoop(platform::Window& window) {
    const GraphState& gs = graphstate();
    while (!gs.closed) {
        const platform::Message message = window.nextMessage();
        if (message.message != msg::kQuit)
            windowproc(window, message);
    }
}

}  // namespace

void windowthread(int mode) {
    GraphState& gs = graphstate();
    platform::Window* window = makeWindow(mode);
    if (window == nullptr) {
        reportReady(-1);
        return;
    }
    gs.window = window;
    gs.closed = 0;
    window->show(true);
    pageSetup();
    gs.initdone = 0;
    gs.closerequested = 0;
    const bool keepProcess = (mode & MODE_KEEPPROCESSONCLOSE) != 0;
    gs.exitonclose = !keepProcess;
    gs.closeaction = keepProcess ? requestClose : nullptr;
    gs.threadstarted = true;
    gs.framebusy = false;
    startRefreshTimer(*window, kRefreshIntervalMs);
    reportReady(1);
    messageLoop(*window);
}

}  // namespace runtime
