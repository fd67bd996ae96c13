// The clock, sleeping, the two frame-pacing calls, and switching the timer refresh off and on.
#include "runtime/pacing.h"

#include <algorithm>

#include "platform/backend.h"
#include "platform/messages.h"
#include "runtime/control.h"
#include "runtime/graph.h"
#include "runtime/graph_state.h"
#include "runtime/present.h"
#include "runtime/refresh_timer.h"

namespace {

int64_t counterFrequency = 1;

double clockMs() {
    return elapsedseconds() * 1000.0;
}

// The longest step of a wait: far longer waits, such as a frame rate of one a year, sleep again.
constexpr double kLongestStepMs = 24.0 * 60 * 60 * 1000;

// One step of a wait: the platform sleeps towards the end and leaves the final moments to
// polling the clock. True when it slept.
bool sleepTowards(double remainingMs) {
    const double stepMs = std::min(remainingMs, kLongestStepMs);
    return platform::backend().sleepTowards(static_cast<int64_t>(stepMs * 1e6));
}

// Sleeps until the deadline, the last moments spent re-reading the clock.
void sleepUntil(double deadline) {
    for (double now = clockMs(); now <= deadline; now = clockMs())
        sleepTowards(deadline - now);
}

void drawTree() {
    if (CONTROL* root = graphstate().treeroot)
        controldraw(root, nullptr);
}

void updateTree() {
    if (CONTROL* root = graphstate().treeroot)
        controlupdate(root);
}

// With something drawn since the last presentation: lets the control tree draw too, shows the
// page and updates the tree. With nothing new, does nothing.
void presentIfDrawn() {
    GraphState& gs = graphstate();
    if (gs.refreshcountdown >= kRefreshFresh)
        return;
    timersleep(1);
    drawTree();
    runtime::refreshwindow(true);
    updateTree();
    // Restoring the drawing area undoes what the tree's passes changed, and as a counting call
    // makes the next delayframe(0) present again.
    int left, top, right, bottom, clip;
    getdrawarea(&left, &top, &right, &bottom, &clip);
    setdrawarea(left, top, right, bottom, clip);
}

}  // namespace

double elapsedseconds() {
    GraphState& gs = graphstate();
    platform::Backend& backend = platform::backend();
    if (gs.clockbase == 0) {
        gs.clockbase = backend.counter();
        counterFrequency = backend.counterFrequency();
        return 0.0;
    }
    return static_cast<double>(backend.counter() - gs.clockbase) /
           static_cast<double>(counterFrequency);
}

void timersleep(int ms) {
    if (ms <= 0)
        return;
    platform::backend().sleepMs(ms);
}

namespace runtime {

int idlewait() {
    GraphState& gs = graphstate();
    if (gs.refreshcountdown < kRefreshFresh) {
        drawTree();
        presentpage();
        dispatchframe();
    }
    timersleep(1);
    return gs.closed ? 0 : 1;
}

void dispatchframe() {
    GraphState& gs = graphstate();
    if (gs.keyqueue == nullptr)
        return;  // before initgraph there is nothing to dispatch
    gs.keyqueue->visitUnhandled(controlevent);
    gs.mousequeue->visitUnhandled(controlevent);
    updateTree();
}

}  // namespace runtime

void delayframe(int ms) {
    GraphState& gs = graphstate();
    gs.framebusy = true;
    if (ms == 0) {
        presentIfDrawn();
        runtime::endFrameWait();
        return;
    }
    // Short frames skip presentations when nothing was drawn; a run of early wake-ups still
    // presents after this many sleeps. Only sleeps count: polling the clock through the last
    // moments of the wait is no wake-up.
    int sleepsBeforePresent = ms < 50 ? 100 : 0;
    const double base = clockMs();
    drawTree();
    const double deadline = base + ms;
    for (double now = clockMs(); now <= deadline; now = clockMs()) {
        if (sleepsBeforePresent > 0 && gs.refreshcountdown >= kRefreshFresh) {
            if (sleepTowards(deadline - now))
                --sleepsBeforePresent;
        } else {
            runtime::refreshwindow(true);
            sleepsBeforePresent = 255;
        }
    }
    runtime::refreshwindow(true);
    runtime::dispatchframe();
    runtime::endFrameWait();
}

void delayrate(double fps) {
    GraphState& gs = graphstate();
    gs.framebusy = true;
    // A rate that is not positive paces nothing rather than waiting for ever.
    const double period = fps > 0 ? 1000.0 / fps : 0.0;
    const double lagLimit = 10 * period;
    const double now = clockMs();
    if (gs.ratebase == 0.0)
        gs.ratebase = clockMs();
    // A caller that fell far behind restarts the cadence instead of rushing to catch up.
    const double base = gs.ratebase + lagLimit + period > now ? gs.ratebase : now;
    drawTree();
    if (clockMs() <= base + period + 100)
        sleepUntil(base + period);
    runtime::refreshwindow(true);
    const double ended = clockMs();
    runtime::dispatchframe();
    if (gs.ratebase + lagLimit + period > ended && ended >= gs.ratebase) {
        gs.ratebase += period;
    } else {
        gs.ratebase = ended;
    }
    runtime::endFrameWait();
}

void setmanualpresent(int on) {
    GraphState& gs = graphstate();
    platform::Window* window = gs.window;
    if (window == nullptr)
        return;
    if (on != 0) {
        if (gs.manualpresent)
            return;
        runtime::stopRefreshTimer(*window);
        gs.stoprefresh = true;
        // One more timer step on the window thread acknowledges the stop.
        window->postMessage({msg::kTimer, msg::kRefreshTimerId, 0});
        gs.manualpresent = true;
        while (gs.stoprefresh && !gs.closed)
            timersleep(1);
        return;
    }
    delayframe(0);
    runtime::startRefreshTimer(*window, 0);
    gs.framebusy = false;
    gs.manualpresent = false;
}
