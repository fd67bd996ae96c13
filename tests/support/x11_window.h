// Test helpers for the X11 backend: a window pumped on a thread of its own, and looks at
// windows through the test's own connection.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/backend.h"
#include "platform/x11/window.h"
#include "tests/support/close_request.h"

// A window of the X11 backend made and pumped on a thread of its own, as the runtime's window
// thread does it; the test thread reads the messages the window received.
class PumpedWindow {
public:
    explicit PumpedWindow(const platform::WindowRequest& wanted);
    // Destroys the window on its thread and ends the thread.
    ~PumpedWindow();
    PumpedWindow(const PumpedWindow&) = delete;
    PumpedWindow& operator=(const PumpedWindow&) = delete;

    // False when createWindow failed; error() says why.
    bool made() const { return window_ != nullptr; }
    const std::string& error() const { return error_; }
    platform::x11::X11Window& window() { return *window_; }

    // The messages received since the last call, up to and including the first that matches;
    // what arrived so far, without a match, when none comes within thirty seconds.
    std::vector<platform::Message> messagesUntil(
        const std::function<bool(const platform::Message&)>& matches);
    // Waits for the next paint request; false when none comes.
    bool waitForPaint();
    // Shows the window and waits for its first paint request: from then on it is on screen.
    bool showAndWaitForPaint();
    // Asks the window thread to destroy the window.
    void destroy();

private:
    void pump();

    std::unique_ptr<platform::x11::X11Window> window_;
    std::string error_;
    std::mutex lock_;  // guards received_, made_
    std::condition_variable changed_;
    std::deque<platform::Message> received_;
    bool made_ = false;
    std::thread thread_;
};

// Matchers for messagesUntil.
std::function<bool(const platform::Message&)> isMessage(uint32_t message);
std::function<bool(const platform::Message&)> isMessage(uint32_t message, uintptr_t wparam);

// A window of the given size, of the runtime's window class.
platform::WindowRequest windowOfSize(int width, int height);

// Polls until the condition holds; false after thirty seconds. Other clients see a window's
// requests only once the server has handled them.
bool eventually(const std::function<bool()>& condition);

// A window's property as text, or its 32-bit items.
std::string textProperty(Display* display, ::Window window, const char* name);
std::vector<long> longsProperty(Display* display, ::Window window, const char* name);
