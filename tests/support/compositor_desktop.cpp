#include "tests/support/compositor_desktop.h"

#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/program_window.h"

namespace {

namespace fs = std::filesystem;

// How long a compositor may take to start, and to end once asked, on a loaded machine.
constexpr double kStartSeconds = 30;
constexpr double kEndSeconds = 20;

std::string joinedLine(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words)
        line.append(line.empty() ? "" : " ").append(shellWord(word));
    return line;
}

}  // namespace

CompositorDesktop::CompositorDesktop(const DesktopOptions& options, bool refusesRoot)
    : scale_(options.scale) {
    char folder[] = "/tmp/trivanta-desktop-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        fail("cannot make a runtime folder in /tmp");
        return;
    }
    folder_ = folder;
    if (!refusesRoot || geteuid() != 0)
        return;
    const passwd* user = getpwnam(kTestUser);
    if (user == nullptr) {
        fail(std::string("no user ") + kTestUser + " to run the compositor as: tools/dev makes it");
        return;
    }
    // The user's own, as a session's runtime folder is; the compositor checks.
    if (chown(folder, user->pw_uid, user->pw_gid) != 0) {
        fail("cannot give the runtime folder to " + std::string(kTestUser));
        return;
    }
    // The program dies with the test even though its user changes, which would clear a
    // parent-death signal set before.
    asUser_ = {"/usr/bin/setpriv",
               std::string("--reuid=") + kTestUser,
               std::string("--regid=") + kTestUser,
               "--clear-groups",
               "--pdeathsig=KILL",
               "--"};
    // Where the programs keep their caches, which the test's own home is not open to.
    environment_.set("HOME", folder_);
}

CompositorDesktop::~CompositorDesktop() {
    // Asked to end, a compositor removes its sockets and its X server's; killed, it would leave
    // them behind.
    if (compositor_ && compositor_->started()) {
        kill(compositor_->pid(), SIGTERM);
        compositor_->waitExit(kEndSeconds * slowdown());
    }
    compositor_.reset();
    std::error_code ignored;
    if (!folder_.empty())
        fs::remove_all(folder_, ignored);
}

std::vector<std::string> CompositorDesktop::command(const std::vector<std::string>& argv) const {
    std::vector<std::string> command = asUser_;
    command.insert(command.end(), argv.begin(), argv.end());
    return command;
}

bool CompositorDesktop::start(const std::vector<std::string>& argv,
                              const std::vector<std::string>& environment) {
    // The compositor starts on no display of the test's: its own headless output.
    std::vector<std::string> words{
        "exec", "env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR=" + folder_};
    words.insert(words.end(), environment.begin(), environment.end());
    const std::vector<std::string> program = command(argv);
    words.insert(words.end(), program.begin(), program.end());
    const std::string line =
        "cd " + shellWord(folder_) + " && " + joinedLine(words) + " 2>" + shellWord(log());
    compositor_ = std::make_unique<ChildProcess>(std::vector<std::string>{"/bin/sh", "-c", line});
    if (!compositor_->started()) {
        fail("cannot start " + argv.front());
        return false;
    }
    return true;
}

bool CompositorDesktop::awaitFile(const std::string& name) {
    const bool shown = holdsWithin(kStartSeconds, [&] {
        return fs::exists(folder_ + "/" + name) || compositor_->waitExit(0).has_value();
    });
    if (shown && fs::exists(folder_ + "/" + name))
        return true;
    fail(name + " did not show: is " + this->name() + " installed? Its log:\n" +
         contentsOf("compositor.log"));
    return false;
}

void CompositorDesktop::publish(const std::string& waylandSocket,
                                const std::optional<std::string>& xDisplay) {
    environment_.set("XDG_RUNTIME_DIR", folder_);
    environment_.set("WAYLAND_DISPLAY", waylandSocket);
    // Without an X display of its own, nothing of the test may reach the user's.
    environment_.set("DISPLAY", xDisplay);
    for (const char* scaling : {"GDK_SCALE", "TRIVANTA_SCALE"})
        environment_.set(scaling, std::nullopt);
}

std::optional<std::string> CompositorDesktop::run(const std::string& commandLine,
                                                  const std::string& subfolder) const {
    const std::string line = "cd " + shellWord(folder_ + "/" + subfolder) + " && exec " +
                             joinedLine(asUser_) + " " + commandLine;
    FILE* output = popen(line.c_str(), "r");
    if (output == nullptr)
        return std::nullopt;
    std::string printed;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, output)) > 0)
        printed.append(buffer, got);
    if (pclose(output) != 0)
        return std::nullopt;
    return printed;
}

void CompositorDesktop::fail(const std::string& why) {
    if (error_.empty())
        error_ = why;
}

std::string CompositorDesktop::contentsOf(const std::string& name) const {
    std::ostringstream text;
    text << std::ifstream(folder_ + "/" + name).rdbuf();
    return text.str();
}
