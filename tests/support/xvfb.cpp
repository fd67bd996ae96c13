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
// How long the server may take to end by itself once the test's connection is gone.
constexpr int kEndTimeoutMs = 20'000;

// Waits for the process to end, polling every 10 ms; false when it still runs after `ms`.
bool endsWithin(pid_t pid, int ms) {
    for (int waited = 0; waited < ms; waited += 10) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return true;
        usleep(10'000);
    }
    return false;
}

// Appending, rather than adding a literal and a temporary, avoids a false warning of GCC 12.
std::string joined(std::string text, int number, const char* after = "") {
    return text.append(std::to_string(number)).append(after);
}

std::vector<std::string> serverArguments(const XvfbOptions& options) {
    std::vector<std::string> arguments{
        "Xvfb", "-displayfd", std::to_string(kDisplayFdInServer), "-nolisten", "tcp",
        // Ends the server when its last client disconnects.
        "-terminate", "-screen", "0",
        joined(joined(joined("", options.width, "x"), options.height, "x"), options.depth)};
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
    for (const char* scaling : {"GDK_SCALE", "TRIVANTA_SCALE"})
        environment_.set(scaling, std::nullopt);
    // Programs try a Wayland compositor first, and the user's must not answer them.
    environment_.set("WAYLAND_DISPLAY", "trivanta-test-no-compositor");
    const std::optional<int> number = startServer(options);
    if (!number) {
        error_ = "Xvfb did not start: is it installed (package xvfb)?";
        // Nothing of the test may reach the display of the user running it.
        environment_.set("DISPLAY", unusedDisplayName());
        return;
    }
    name_ = joined(":", *number);
    environment_.set("DISPLAY", name_);
    // The backend uses Xlib from several threads, which Xlib must know before any connection.
    XInitThreads();
    connection_ = XOpenDisplay(name_.c_str());
    if (connection_ == nullptr) {
        error_ = "cannot connect to Xvfb on " + name_;
        return;
    }
    // Only once our connection holds the server up: xrdb's own would be its last as it ends.
    if (!options.resources.empty() && !loadResources(options.resources)) {
        error_ = "xrdb cannot load the resources: is it installed (package x11-xserver-utils)?";
        XCloseDisplay(connection_);
        connection_ = nullptr;
    }
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
    // The server ends by itself once its last client is gone. Under Wine that is the desktop
    // process, which outlives a program by a moment; a server killed under it leaves the desktop
    // half closed for the next program, whose window Wine then refuses.
    if (pid_ > 0 && !endsWithin(pid_, kEndTimeoutMs)) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

// Through a file rather than a pipe: a pipe to a missing xrdb would end the test with SIGPIPE.
bool Xvfb::loadResources(const std::string& resources) {
    char path[] = "/tmp/trivanta-resources-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return false;
    const std::string text = resources + "\n";
    const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    // Without the C preprocessor, which xrdb would otherwise run over the file.
    const std::string command = "xrdb -nocpp -merge -display " + name_ + " " + path;
    const bool loaded = written && std::system(command.c_str()) == 0;
    unlink(path);
    return loaded;
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
