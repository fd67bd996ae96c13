// A program of ours with its runtime window on a test's private desktop (tests/support/desktop.h),
// for the end-to-end and stress tests and the soak: started, its window found and focused, typed
// to and read through the desktop.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/desktop.h"
#include "tests/support/program_command.h"

// How much longer things may take in a sanitized build.
#ifdef TRIVANTA_SLOW_BUILD
inline constexpr double kSlowdown = 4;
#else
inline constexpr double kSlowdown = 1;
#endif

// How much longer the programs tested may take: kSlowdown, and under Wine, which passes every
// window message and every exit through its server, three times that on a loaded machine; in a
// compositor, which every look at the window asks for a screenshot, twice that.
double slowdown();

// Polls every 10 ms until the condition holds; false once `seconds` (times the slowdown) have
// passed without it.
bool holdsWithin(double seconds, const std::function<bool()>& condition);

// The word quoted for the shell.
std::string shellWord(const std::string& word);

// The argument vector that runs `program` through the shell with extra environment settings
// ("NAME=value") and, unless `errorFile` is empty, its standard error written to that file.
// The shell execs the program, so the child's process id is the program's.
std::vector<std::string> shellCommand(const std::string& program,
                                      const std::vector<std::string>& environment,
                                      const std::string& errorFile = "");

// What ProgramWindow reads where one of the program's pixels is not shown as one colour: no
// colour of the program's, which are all 0x00RRGGBB.
inline constexpr uint32_t kNotASquare = 0xFF000000;

// How a program ended after its window was asked to close.
struct Ending {
    std::optional<int> code;  // none when it did not end in time or was killed by a signal
    double ms = 0;            // from the close request to the end seen
};

// The size of the client area every program of ours asks for.
inline constexpr int kClientWidth = 480;
inline constexpr int kClientHeight = 640;

class ProgramWindow : public ScreenView {
public:
    // Starts the program on the desktop and waits for its window of the given class to appear;
    // gives it the keyboard focus, as a window manager would. `scale` is how many device pixels
    // each way the window should show each of the program's pixels with.
    ProgramWindow(Desktop& desktop, const std::vector<std::string>& argv,
                  const std::string& windowClass = builtWindowClass(), int scale = 1);
    // Starts a program by its name (tests/support/program_command.h): this build's, or a Windows
    // build's under Wine.
    ProgramWindow(Desktop& desktop, const std::string& name,
                  const std::vector<std::string>& arguments = {});
    ProgramWindow(const ProgramWindow&) = delete;
    ProgramWindow& operator=(const ProgramWindow&) = delete;

    // Whether the window appeared and took the focus.
    bool shown() const { return window_ != 0; }
    ChildProcess& process() { return process_; }
    std::string caption() const { return desktop_.caption(window_); }
    // In device pixels, with what Wine draws around a Windows program's client area.
    WindowSize size() const { return desktop_.size(window_); }

    // What the client area shows, in the program's pixels at client coordinates: each the colour
    // of its square of device pixels, or kNotASquare where that square is not all one colour.
    uint32_t pixel(int x, int y) const override;
    ScreenArea area(int x, int y, int width, int height) const override;
    // The black rectangle around a black pixel of the client area (x, y), in client
    // coordinates, found by walking its row and its column to the first pixel that is not black:
    // while the program shows a screen on black, its whole client area.
    ScreenArea blackAreaAround(int x, int y) const;

    // Types xdotool key names, separated by spaces, into the focused window, `delayMs` apart
    // (0: as fast as the desktop takes them). False when that failed.
    bool type(const std::string& keys, int delayMs = 60) const;

    // Types the keys until the condition holds, `tries` times at most; false when it never
    // does. A key typed during one of the game's one-second pauses is stale by the time the
    // game reads it and is dropped, as for any player, so a key meant to act may need typing
    // again.
    bool typeUntil(const std::string& keys, const std::function<bool()>& condition,
                   int tries = 4) const;

    // Clicks the window's close button, as far as the program can tell, and waits at most
    // `patienceSeconds` for it to end.
    Ending closeAndWait(double patienceSeconds);

private:
    uint32_t squareColour(const ScreenArea& device, int left, int top) const;

    Desktop& desktop_;
    ChildProcess process_;
    int scale_;
    DesktopWindow window_ = 0;
};
