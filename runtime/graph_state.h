// The runtime's one process-wide record.
//
// Two threads share it: the main thread (the program: drawing, pacing, reading input) and the
// window thread (the message loop and the window procedure). Every field both threads touch is
// atomic; the comments name the writer. The event queues carry their own locks.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

#include "runtime/event_queue.h"
#include "runtime/image.h"

namespace draw {
struct DrawContext;
}
namespace platform {
class Window;
}
class CONTROL;

inline constexpr int kPageSlots = 4;

// The presentation state: 255 right after a presentation; every counting drawing call on image
// argument 0 subtracts one; 0 or less makes the next timer tick refresh the window.
inline constexpr int32_t kRefreshFresh = 255;

struct GraphState {
    // The drawing context of the page drawn on (set when that page is made). New images are made
    // against the current image's context, else this one, else the window's surface while the
    // first page is being made; with none of them (before initgraph) no image may be made.
    std::atomic<const draw::DrawContext*> drawdc{nullptr};
    // The window's surface that presentations go to: set by the page set-up, null once the
    // window is destroyed.
    std::atomic<platform::Window*> windowdc{nullptr};
    int width = 0;  // client size from initgraph
    int height = 0;
    std::array<std::atomic<PIMAGE>, kPageSlots> pages{};  // main thread writes
    // The region of the shown page visible in the window (main thread writes).
    std::atomic<int32_t> viewleft{0}, viewtop{0}, viewwidth{0}, viewheight{0};
    std::atomic<int32_t> showpage{0};  // main thread writes
    int drawpage = 0;
    PIMAGE target = nullptr;          // what image argument 0 resolves to
    PIMAGE explicittarget = nullptr;  // the image chosen with settarget, null to follow drawpage
    // The window thread's private copy of the shown page, made before each timer refresh.
    PIMAGE presentbuffer = nullptr;
    std::atomic<platform::Window*> window{nullptr};
    const char* classname = "Tarvel";
    const char* caption = "TARVEL13.03 VC6x86";
    std::atomic<int32_t> closerequested{0};  // the close button, with MODE_KEEPPROCESSONCLOSE
    std::atomic<int32_t> closed{0};          // the window is destroyed; blocking calls give up
    std::atomic<int32_t> refreshcountdown{0};
    std::atomic<bool> threadstarted{false};  // window thread writes
    std::atomic<bool> exitonclose{false};    // window thread writes
    std::atomic<bool> manualpresent{false};  // main thread writes
    // The window thread's set-up: 0 under way, 1 done, -1 failed (no window could be made).
    std::atomic<int32_t> ready{0};
    std::atomic<bool> stoprefresh{false};  // main thread sets, window thread clears
    std::atomic<bool> framebusy{false};    // main thread inside a frame wait: no timer refresh
    std::unique_ptr<EventQueue> keyqueue;
    std::unique_ptr<EventQueue> mousequeue;
    // Mouse state, written by the window thread.
    std::atomic<int32_t> leftdown{0}, middledown{0}, rightdown{0};
    std::atomic<int32_t> mousex{0}, mousey{0};
    std::atomic<int32_t> pressx{0}, pressy{0};
    std::atomic<int32_t> releasex{0}, releasey{0};
    // initgraph has finished; until then the cursor is hidden over the client area.
    std::atomic<int32_t> initdone{0};
    // Run by the window procedure on a close request instead of destroying the window.
    std::atomic<void (*)()> closeaction{nullptr};
    // 1 while a key or mouse button (at its virtual-key code) is held; the window thread sets,
    // both threads clear.
    std::array<std::atomic<int32_t>, 256> keydown{};
    CONTROL* treeroot = nullptr;      // the control tree's root, main thread only
    CONTROL* focuscontrol = nullptr;  // the control that last took the focus
    int64_t clockbase = 0;            // counter value at the first clock read, main thread only
    double ratebase = 0.0;            // cadence of delayrate in milliseconds, main thread only
};

// The record; it lives until the process ends.
GraphState& graphstate();
