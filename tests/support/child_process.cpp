#include "tests/support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point deadlineAfter(double seconds) {
    return Clock::now() + std::chrono::microseconds(static_cast<int64_t>(seconds * 1e6));
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return;
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        // The program dies with the test, whatever ends the test: a program left behind would
        // keep the test's output open and its X server alive. Only calls safe after fork.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        dup2(pipeFds[1], STDOUT_FILENO);
        execv(args[0], args.data());
        _exit(127);
    }
    close(pipeFds[1]);
    output_ = pipeFds[0];
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0 && !ended_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (output_ >= 0)
        close(output_);
}

std::optional<std::string> ChildProcess::readLine(double timeoutSeconds) {
    const Clock::time_point deadline = deadlineAfter(timeoutSeconds);
    for (;;) {
        if (const size_t newline = pending_.find('\n'); newline != std::string::npos) {
            std::string line = pending_.substr(0, newline);
            pending_.erase(0, newline + 1);
            // Windows programs end their lines with a carriage return too.
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return line;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return std::nullopt;
        pollfd ready{output_, POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(left.count())) <= 0)
            return std::nullopt;
        char buffer[256];
        const ssize_t got = read(output_, buffer, sizeof buffer);
        if (got <= 0)
            return std::nullopt;
        pending_.append(buffer, static_cast<size_t>(got));
    }
}

std::optional<int> ChildProcess::waitExit(double timeoutSeconds) {
    const Clock::time_point deadline = deadlineAfter(timeoutSeconds);
    while (Clock::now() < deadline) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            ended_ = true;
            if (WIFEXITED(status))
                return WEXITSTATUS(status);
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return std::nullopt;
}

std::string builtProgram(const char* name) {
    return std::string(TRIVANTA_PROGRAM_DIR) + "/" + name;
}
