#include "tests/support/program_window.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "tests/support/program_command.h"
#include "tests/support/x11_window.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kWindowPatienceSeconds = 10;
// How long a typed key may take to show its effect.
constexpr double kTypedKeyPatienceSeconds = 2;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Quotes a word for the shell: inside single quotes only the quote itself needs care.
std::string quoted(const std::string& word) {
    std::string result = "'";
    for (const char ch : word) {
        if (ch == '\'')
            result.append("'\\''");
        else
            result.push_back(ch);
    }
    return result.append("'");
}

}  // namespace

bool holdsWithin(double seconds, const std::function<bool()>& condition) {
    const Clock::time_point start = Clock::now();
    while (!condition()) {
        if (secondsSince(start) > seconds * kSlowdown)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

std::vector<std::string> shellCommand(const std::string& program,
                                      const std::vector<std::string>& environment,
                                      const std::string& errorFile) {
    // Appending, rather than adding a literal and a temporary, avoids a false warning of GCC 12.
    std::string line = "exec env";
    for (const std::string& setting : environment)
        line.append(" ").append(quoted(setting));
    line.append(" ").append(quoted(program));
    if (!errorFile.empty())
        line.append(" 2>").append(quoted(errorFile));
    return {"/bin/sh", "-c", line};
}

ProgramWindow::ProgramWindow(Display* display, const std::vector<std::string>& argv,
                             const std::string& windowClass)
    : display_(display), process_(argv) {
    ::Window found = 0;
    if (!process_.started() || !holdsWithin(kWindowPatienceSeconds, [&] {
            return (found = findWindowOfClass(display_, windowClass)) != 0;
        })) {
        return;
    }
    if (!focusWhenViewable(display_, found))
        return;
    window_ = found;
    // A frame drawn inside the window is as wide on the left, the right and the bottom; the
    // caption adds to the top.
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, window_, &attributes);
    clientLeft_ = (attributes.width - kClientWidth) / 2;
    clientTop_ = attributes.height - kClientHeight - clientLeft_;
}

ProgramWindow::ProgramWindow(Display* display, const std::string& name,
                             const std::vector<std::string>& arguments)
    : ProgramWindow(display, programCommand(name, arguments), programWindowClass(name)) {}

uint32_t ProgramWindow::pixel(int x, int y) const {
    return windowPixel(display_, window_, clientLeft_ + x, clientTop_ + y);
}

ScreenArea ProgramWindow::area(int x, int y, int width, int height) const {
    ScreenArea read = readWindow(display_, window_, clientLeft_ + x, clientTop_ + y, width, height);
    read.x = x;
    read.y = y;
    return read;
}

ScreenArea ProgramWindow::blackArea() const {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, window_, &attributes);
    const ScreenArea whole =
        readWindow(display_, window_, 0, 0, attributes.width, attributes.height);
    int left = whole.width;
    int top = whole.height;
    int right = 0;
    int bottom = 0;
    for (int y = 0; y < whole.height; ++y) {
        for (int x = 0; x < whole.width; ++x) {
            if (whole.at(x, y) != 0)
                continue;
            left = std::min(left, x);
            top = std::min(top, y);
            right = std::max(right, x + 1);
            bottom = std::max(bottom, y + 1);
        }
    }
    return ScreenArea{left - clientLeft_,
                      top - clientTop_,
                      std::max(right - left, 0),
                      std::max(bottom - top, 0),
                      {}};
}

bool ProgramWindow::type(const std::string& keys, int delayMs) const {
    const std::string command = "xdotool key --delay " + std::to_string(delayMs) + " " + keys;
    return std::system(command.c_str()) == 0;
}

bool ProgramWindow::typeUntil(const std::string& keys, const std::function<bool()>& condition,
                              int tries) const {
    for (int i = 0; i < tries; ++i) {
        if (!type(keys))
            return false;
        if (holdsWithin(kTypedKeyPatienceSeconds, condition))
            return true;
    }
    return false;
}

Ending ProgramWindow::closeAndWait(double patienceSeconds) {
    sendCloseRequest(display_, window_);
    // The time counts from when the server has the request, not from when it was queued here.
    XSync(display_, False);
    const Clock::time_point sent = Clock::now();
    Ending ending;
    ending.code = process_.waitExit(patienceSeconds);
    ending.ms = secondsSince(sent) * 1000;
    return ending;
}
