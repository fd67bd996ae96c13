// A program started by a test, with its standard output read line by line.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

class ChildProcess {
public:
    // Starts the program with the arguments; standard error stays the test's.
    explicit ChildProcess(const std::vector<std::string>& argv);
    // Kills the program if it still runs.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    // The next line the program printed, without its newline; nothing when none comes in time
    // or the program closed its output.
    std::optional<std::string> readLine(double timeoutSeconds = 10);
    // The program's exit code once it has ended; nothing when it does not end in time or ends
    // through a signal.
    std::optional<int> waitExit(double timeoutSeconds = 10);

private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::string pending_;
    bool ended_ = false;
};

// The path of a program built beside the tests.
std::string builtProgram(const char* name);
