// The desktop a window test's programs show their windows on: a private X server, or a private
// session of a headless Wayland compositor when the environment names one
// (TRIVANTA_TEST_COMPOSITOR=sway|weston). The tests ask it for what a player sees and does, the
// same questions on each: where a window is, what it shows, its caption; keys typed to it and
// its close button. It lives as long as the test, which it keeps apart from the user's own
// desktop: while it lives, the variables that name a display (DISPLAY, WAYLAND_DISPLAY) name its
// own, and the scaling variables of the user's desktop are unset.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/screen_view.h"

struct DesktopOptions {
    // How many device pixels each way the desktop asks a program to show each of its pixels
    // with: the X server's resources say so ("Xft.dpi: 192"), a compositor's output scale.
    int scale = 1;
    // Whether an X server offers MIT-SHM.
    bool sharedMemory = true;
};

// A window as the desktop names it: an X window, or a compositor's id for it; 0 for none.
using DesktopWindow = uint64_t;

// A window's size in device pixels.
struct WindowSize {
    int width = 0;
    int height = 0;
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // False when the desktop could not be started; error() says why.
    virtual bool running() const = 0;
    virtual const std::string& error() const = 0;
    // What the desktop is, for messages: "Xvfb", "sway", "weston".
    virtual std::string name() const = 0;

    // The command that starts `argv` on this desktop, as the user the desktop runs for.
    virtual std::vector<std::string> command(const std::vector<std::string>& argv) const = 0;

    // The top-level window of the given class (an X window's WM_CLASS, or a Wayland window's
    // app_id), or the one with the given caption; 0 when there is none.
    virtual DesktopWindow windowOfClass(const std::string& windowClass) = 0;
    virtual DesktopWindow windowNamed(const std::string& caption) = 0;
    // Waits until the window is on screen and gives it the keyboard focus, as a window manager
    // would; false when it does not show within 30 seconds.
    virtual bool focus(DesktopWindow window) = 0;
    virtual std::string caption(DesktopWindow window) = 0;
    // The window's size, with any frame the program draws inside it (Wine does).
    virtual WindowSize size(DesktopWindow window) = 0;
    // The window's pixels, in device pixels from the corner of its content.
    virtual ScreenArea read(DesktopWindow window, int x, int y, int width, int height) = 0;
    // Asks the window to close, as its close button does.
    virtual bool close(DesktopWindow window) = 0;

    // Whether the desktop has a keyboard to type with.
    virtual bool hasKeyboard() const { return true; }
    // Types xdotool key names ("a shift+a Return"), separated by spaces, into the focused
    // window, `delayMs` apart (0: as fast as the desktop takes them); false when that failed.
    virtual bool type(const std::string& keys, int delayMs) = 0;
    // Holds a key (an xdotool key name) down for `ms` milliseconds, then lets it go; false when
    // that failed.
    virtual bool hold(const std::string& key, int ms) = 0;
    // Makes the keyboard have a key for the key name before a program starts and reads its
    // layout; false when it cannot.
    virtual bool addKey(const std::string& keyName) = 0;
};

// The compositor the tests run their programs in (TRIVANTA_TEST_COMPOSITOR), or empty for the
// private X server.
std::string testCompositor();
// Whether the programs started are X programs: on the X server, or through the compositor's
// X server (TRIVANTA_TEST_XWAYLAND=1) rather than as its own clients.
bool testingXPrograms();

// A new desktop of the kind the environment chooses; throws std::runtime_error when it names none
// the tests know.
std::unique_ptr<Desktop> openDesktop(const DesktopOptions& options = {});
