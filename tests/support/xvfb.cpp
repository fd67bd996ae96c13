#include "tests/support/xvfb.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Where the server writes its display number once it accepts connections.
constexpr int kDisplayFdInServer = 3;
constexpr int kStartTimeoutMs = 20'000;

// Appending, rather than adding a literal and a temporary, avoids a false warning of GCC 12.
std::string joined(std::string text, int number, const char* after = "") {
    return text.append(std::to_string(number)).append(after);
}

std::vector<std::string> serverArguments(const XvfbOptions& options) {
    std::vector<std::string> arguments{
        "Xvfb", "-displayfd", std::to_string(kDisplayFdInServer), "-nolisten", "tcp",
        // Ends the server when its last client disconnects.
        "-terminate", "-screen", "0", joined("1024x768x", options.depth)};
    if (!options.sharedMemory) {
        arguments.insert(arguments.end(), {"-extension", "MIT-SHM"});
    }
    return arguments;
}

bool displayExists(int number) {
    struct stat info {};
    const std::string socket = joined("/tmp/.X11-unix/X", number);
    const std::string lock = joined("/tmp/.X", number, "-lock");
    return stat(socket.c_str(), &info) == 0 || stat(lock.c_str(), &info) == 0;
}

}  // namespace

Xvfb::Xvfb(const XvfbOptions& options) {
    if (const char* display = std::getenv("DISPLAY"))
        previousDisplay_ = display;
    const std::optional<int> number = startServer(options);
    if (!number) {
        error_ = "Xvfb did not start: is it installed (package xvfb)?";
        // Nothing of the test may reach the display of the user running it.
        setenv("DISPLAY", unusedDisplayName().c_str(), 1);
        return;
    }
    name_ = joined(":", *number);
    setenv("DISPLAY", name_.c_str(), 1);
    // The backend uses Xlib from several threads, which Xlib must know before any connection.
    XInitThreads();
    connection_ = XOpenDisplay(name_.c_str());
    if (connection_ == nullptr)
        error_ = "cannot connect to Xvfb on " + name_;
}

// Starts the server; the display number it chose once it accepts connections.
std::optional<int> Xvfb::startServer(const XvfbOptions& options) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return std::nullopt;
    const bool started = spawn(options, fds[1]);
    close(fds[1]);
    const std::optional<int> number = started ? readDisplayNumber(fds[0]) : std::nullopt;
    close(fds[0]);
    return number;
}

Xvfb::~Xvfb() {
    if (connection_ != nullptr)
        XCloseDisplay(connection_);
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    if (previousDisplay_) {
        setenv("DISPLAY", previousDisplay_->c_str(), 1);
    } else {
        unsetenv("DISPLAY");
    }
}

bool Xvfb::spawn(const XvfbOptions& options, int displayFd) {
    const std::vector<std::string> arguments = serverArguments(options);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The copy made by dup2 is inherited: it has no close-on-exec flag (glibc clears the flag
    // even when both numbers are the same).
    posix_spawn_file_actions_adddup2(&actions, displayFd, kDisplayFdInServer);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int result = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0)
        pid_ = -1;
    return result == 0;
}

// The number the server writes, a line of digits; none if it ends or stays silent.
std::optional<int> Xvfb::readDisplayNumber(int readFd) {
    std::string line;
    pollfd watched{readFd, POLLIN, 0};
    char ch = 0;
    while (poll(&watched, 1, kStartTimeoutMs) > 0 && read(readFd, &ch, 1) == 1) {
        if (ch == '\n')
            return line.empty() ? std::nullopt : std::optional(std::stoi(line));
        line += ch;
    }
    return std::nullopt;
}

std::string unusedDisplayName() {
    int number = 500;
    while (displayExists(number))
        ++number;
    return joined(":", number);
}

RunWithoutDisplay runWithoutDisplay(const std::string& program) {
    RunWithoutDisplay run;
    const std::string command =
        "DISPLAY=" + unusedDisplayName() + " timeout 5 " + program + " 2>&1";
    FILE* output = popen(command.c_str(), "r");
    if (output == nullptr)
        return run;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, output) != nullptr)
        run.output += buffer;
    const int status = pclose(output);
    run.exited = WIFEXITED(status);
    run.exitCode = run.exited ? WEXITSTATUS(status) : 0;
    return run;
}
