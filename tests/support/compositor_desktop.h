// What the desktops in a private session of a headless Wayland compositor share: the session's
// runtime folder, the compositor's process and the environment that names it to the programs,
// and its tools run as the session's user. A compositor that refuses to run as root (sway) runs,
// with the programs and tools of its session, as the unprivileged user kTestUser when the tests
// run as root; the runtime folder is then that user's.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/desktop.h"
#include "tests/support/scoped_environment.h"

// The user a compositor that refuses root runs as; `tools/dev` makes it.
inline constexpr const char* kTestUser = "trivanta-test";

class CompositorDesktop : public Desktop {
public:
    // Ends the compositor, which ends its X server, and removes the runtime folder.
    ~CompositorDesktop() override;

    bool running() const override { return error_.empty(); }
    const std::string& error() const override { return error_; }
    std::vector<std::string> command(const std::vector<std::string>& argv) const override;

protected:
    // Makes the session's runtime folder; `refusesRoot` for a compositor that will not run as
    // root.
    CompositorDesktop(const DesktopOptions& options, bool refusesRoot);

    // Starts the compositor (`argv`, with the extra environment settings "NAME=value"), its
    // standard error written to log(); false, with error() saying why, when it does not start.
    bool start(const std::vector<std::string>& argv, const std::vector<std::string>& environment);
    // Waits until the file `name` shows in the runtime folder; false after 30 seconds or when the
    // compositor ended.
    bool awaitFile(const std::string& name);
    // Names the compositor, its Wayland socket and (for X programs) its X display to the
    // programs and tools started from now on.
    void publish(const std::string& waylandSocket, const std::optional<std::string>& xDisplay);
    // Runs a shell command line as the session's user, in the runtime folder or a folder of
    // it; what it printed, or none when it failed.
    std::optional<std::string> run(const std::string& commandLine,
                                   const std::string& subfolder = "") const;
    void fail(const std::string& why);

    const std::string& folder() const { return folder_; }
    std::string log() const { return folder_ + "/compositor.log"; }
    std::string contentsOf(const std::string& name) const;
    int scale() const { return scale_; }
    // The environment, set until the session ends.
    ScopedEnvironment& environment() { return environment_; }

private:
    // What runs a program as kTestUser: empty when the tests run as their own user.
    std::vector<std::string> asUser_;
    std::string folder_;
    std::string error_;
    int scale_;
    std::unique_ptr<ChildProcess> compositor_;
    ScopedEnvironment environment_;
};
