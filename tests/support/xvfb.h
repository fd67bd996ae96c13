// A private X server for tests: a virtual framebuffer server on a free display number, which
// DISPLAY names while it lives. It keeps a connection of its own open, and the server is
// started so that it ends once its last client is gone; a test that crashes therefore leaves no
// server behind. It stands for a desktop that asks for no scaling unless its resources do:
// while it lives, the scaling variables of the user's own desktop (GDK_SCALE, TRIVANTA_SCALE)
// are unset, WAYLAND_DISPLAY names no compositor, and it puts them back as it ends.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

#include "tests/support/scoped_environment.h"

// Xlib's connection type, declared here so that including this header does not bring in Xlib's
// macros (None, Bool, Status), which clash with other libraries' names.
typedef struct _XDisplay Display;

struct XvfbOptions {
    int depth = 24;            // bits per pixel of the screen
    bool sharedMemory = true;  // whether the server offers MIT-SHM
    int width = 1024;          // of the screen
    int height = 768;
    // Loaded into the server's resource database with xrdb before anything connects, as a
    // desktop's session does ("Xft.dpi: 192"); empty for none.
    std::string resources{};
};

class Xvfb {
public:
    explicit Xvfb(const XvfbOptions& options = {});
    ~Xvfb();
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    // False when the server could not be started; error() says why.
    bool running() const { return connection_ != nullptr; }
    const std::string& error() const { return error_; }
    // The display name, ":N".
    const std::string& name() const { return name_; }
    // The test's own connection to the server.
    Display* connection() const { return connection_; }
    // The server's process.
    pid_t pid() const { return pid_; }

private:
    std::optional<int> startServer(const XvfbOptions& options);
    bool spawn(const XvfbOptions& options, int displayFd);
    std::optional<int> readDisplayNumber(int readFd);
    bool loadResources(const std::string& resources);

    pid_t pid_ = -1;
    std::string name_;
    std::string error_;
    Display* connection_ = nullptr;
    // DISPLAY and the scaling variables, until the server ends.
    ScopedEnvironment environment_;
};

// A display number no server listens on, for testing what happens without one.
std::string unusedDisplayName();

// What a program printed (standard output and error together) and how it ended, run where no X
// server listens, for at most five seconds.
struct RunWithoutDisplay {
    std::string output;
    bool exited = false;  // rather than killed by a signal
    int exitCode = 0;     // 124 when it ran into the time limit
};
RunWithoutDisplay runWithoutDisplay(const std::string& program);
