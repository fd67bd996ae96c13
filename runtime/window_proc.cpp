// The window procedure: turns the window's messages into runtime state and queued events.
// It runs on the window thread only.
#include "runtime/window_proc.h"

#include <cstdio>
#include <cstdlib>

#include "platform/backend.h"
#include "platform/messages.h"
#include "runtime/graph_state.h"
#include "runtime/present.h"

namespace runtime {

namespace {

// The queued records name the window; there is only one.
constexpr uint32_t kWindowHandle = 1;

EventRecord recordOf(const platform::Message& m) {
    EventRecord record;
    record.window = kWindowHandle;
    record.message = m.message;
    record.wparam = static_cast<uint32_t>(m.wparam);
    record.lparam = static_cast<uint32_t>(m.lparam);
    record.time = platform::backend().tickCount();
    return record;
}

void onDestroy() {
    GraphState& gs = graphstate();
    gs.closed = 1;
    gs.windowdc = nullptr;
    if (gs.threadstarted && gs.exitonclose) {
        // Closing the window ends the program at once, whatever the main thread is doing; exit
        // handlers are not run, since the main thread may still be using what they would free.
        std::fflush(stdout);
        std::_Exit(0);
    }
}

void onClose(platform::Window& window) {
    if (void (*action)() = graphstate().closeaction.load()) {
        action();
        return;
    }
    window.destroy();
}

void onPaint() {
    GraphState& gs = graphstate();
    if (gs.manualpresent) {
        gs.refreshcountdown.fetch_sub(1);
        return;
    }
    presentcopy();
}

// The cursor is invisible over the client area until initgraph has returned.
void onSetCursor(platform::Window& window) {
    const bool hide = graphstate().initdone == 0 && window.pointerInClient();
    window.setCursor(hide ? platform::Cursor::Hidden : platform::Cursor::Arrow);
}

void onKey(const platform::Message& m) {
    GraphState& gs = graphstate();
    if (m.wparam < 256) {
        if (m.message == msg::kKeyDown)
            gs.keydown[m.wparam] = 1;
        if (m.message == msg::kKeyUp)
            gs.keydown[m.wparam] = 0;
    }
    gs.keyqueue->push(recordOf(m));
}

void queueMouse(const platform::Message& m) {
    GraphState& gs = graphstate();
    EventRecord record = recordOf(m);
    record.buttons = gs.leftdown + 2 * gs.rightdown + 4 * gs.middledown;
    gs.mousequeue->push(record);
}

// Which button a button message is about, and whether it goes down or up.
struct ButtonChange {
    std::atomic<int32_t>* held;
    int virtualKey;
    bool down;
};

ButtonChange buttonChange(uint32_t message) {
    GraphState& gs = graphstate();
    switch (message) {
        case msg::kLeftButtonDown:
            return {&gs.leftdown, vk::kLeftButton, true};
        case msg::kLeftButtonUp:
            return {&gs.leftdown, vk::kLeftButton, false};
        case msg::kRightButtonDown:
            return {&gs.rightdown, vk::kRightButton, true};
        case msg::kRightButtonUp:
            return {&gs.rightdown, vk::kRightButton, false};
        case msg::kMiddleButtonDown:
            return {&gs.middledown, vk::kMiddleButton, true};
        default:
            return {&gs.middledown, vk::kMiddleButton, false};
    }
}

void onButton(platform::Window& window, const platform::Message& m) {
    GraphState& gs = graphstate();
    const ButtonChange change = buttonChange(m.message);
    const int x = msg::paramX(m.lparam);
    const int y = msg::paramY(m.lparam);
    gs.keydown[change.virtualKey] = change.down ? 1 : 0;
    *change.held = change.down ? 1 : 0;
    if (change.down) {
        gs.pressx = x;
        gs.pressy = y;
        window.captureMouse(true);
    } else {
        gs.releasex = x;
        gs.releasey = y;
        // The capture lasts while any button is held.
        if (gs.leftdown + gs.rightdown + gs.middledown == 0)
            window.captureMouse(false);
    }
    queueMouse(m);
}

void onMouseMove(const platform::Message& m) {
    GraphState& gs = graphstate();
    const int x = msg::paramX(m.lparam);
    const int y = msg::paramY(m.lparam);
    gs.mousex = x;
    gs.mousey = y;
    // The move that follows a release at the same spot is not queued.
    if (x == gs.releasex && y == gs.releasey)
        return;
    queueMouse(m);
}

// The wheel reports a screen position; the queue gets it in client coordinates.
void onWheel(platform::Window& window, platform::Message m) {
    GraphState& gs = graphstate();
    const platform::Point client =
        window.screenToClient({msg::paramX(m.lparam), msg::paramY(m.lparam)});
    gs.mousex = client.x;
    gs.mousey = client.y;
    m.lparam = msg::pointParam(client.x, client.y);
    queueMouse(m);
}

}  // namespace

void windowproc(platform::Window& window, const platform::Message& m) {
    switch (m.message) {
        case msg::kDestroy:
            onDestroy();
            break;
        case msg::kPaint:
            onPaint();
            break;
        case msg::kClose:
            onClose(window);
            break;
        case msg::kSetCursor:
            onSetCursor(window);
            break;
        case msg::kKeyDown:
        case msg::kKeyUp:
        case msg::kChar:
            onKey(m);
            break;
        case msg::kTimer:
            if (m.wparam == msg::kRefreshTimerId)
                timerRefresh();
            break;
        case msg::kMouseMove:
            onMouseMove(m);
            break;
        case msg::kLeftButtonDown:
        case msg::kLeftButtonUp:
        case msg::kRightButtonDown:
        case msg::kRightButtonUp:
        case msg::kMiddleButtonDown:
        case msg::kMiddleButtonUp:
            onButton(window, m);
            break;
        case msg::kMouseWheel:
            onWheel(window, m);
            break;
        default:
            break;
    }
}

}  // namespace runtime
