// The headless backend: no display, a virtual clock, scripted input and recorded frames. Tests
// and tools choose it by calling platform::headless::use() before their first initgraph.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/headless/backend.h"

namespace platform::headless {

// Makes the runtime run on the headless backend.
void use();

// The virtual clock in milliseconds. It starts at 1000 and moves only while the program sleeps.
double nowMs();

// Input, scripted at virtual times in milliseconds on the nowMs() clock. Keys go by the names of
// platform/headless/key_names.h ("a", "A", "Left", "F1", "Return", "space", "Num_Lock",
// "U+4E2D"); a press gives the key-down and the characters the key types, a release the key-up,
// exactly as a real keyboard would.
void keyDown(double atMs, const char* key);
void keyUp(double atMs, const char* key);
void pressKey(double atMs, const char* key, double holdMs = 30);  // down, then up
// Any message, for the mouse, the close button and whatever else a test needs.
void sendMessage(double atMs, const Message& message);
void clickClose(double atMs);

// One picture the window showed.
struct Frame {
    double atMs = 0;
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row

    uint32_t pixel(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Calls `observer` with every picture the window shows, as it is shown (on whichever thread
// presents it, with the frame record locked: it must not call the frame functions below);
// null stops the calls.
void observeFrames(std::function<void(const Frame&)> observer);

// What the window shows: every presentation counts; the last picture is always kept, and every
// picture while recording is on.
int64_t frameCount();
Frame lastFrame();
void recordFrames(bool on);
std::vector<Frame> recordedFrames();

// The window as a user would see it.
std::string captionUtf8();
bool windowVisible();
Size windowClientSize();
Cursor windowCursor();
bool mouseCaptured();
// Where the pointer is, in client coordinates; it starts outside the window.
void movePointer(Point client);

}  // namespace platform::headless
