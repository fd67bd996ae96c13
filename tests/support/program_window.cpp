#include "tests/support/program_window.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "tests/support/program_command.h"

namespace {

using Clock = std::chrono::steady_clock;

// Generous: Wine may take a while to start a Windows program on a loaded machine.
constexpr double kWindowPatienceSeconds = 60;
// How long a typed key may take to show its effect.
constexpr double kTypedKeyPatienceSeconds = 2;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

// Inside single quotes only the quote itself needs care.
std::string shellWord(const std::string& word) {
    std::string result = "'";
    for (const char ch : word) {
        if (ch == '\'')
            result.append("'\\''");
        else
            result.push_back(ch);
    }
    return result.append("'");
}

double slowdown() {
    if (testingWindowsBuild())
        return 3 * kSlowdown;
    return testCompositor().empty() ? kSlowdown : 2 * kSlowdown;
}

bool holdsWithin(double seconds, const std::function<bool()>& condition) {
    const Clock::time_point start = Clock::now();
    while (!condition()) {
        if (secondsSince(start) > seconds * slowdown())
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
        line.append(" ").append(shellWord(setting));
    line.append(" ").append(shellWord(program));
    if (!errorFile.empty())
        line.append(" 2>").append(shellWord(errorFile));
    return {"/bin/sh", "-c", line};
}

ProgramWindow::ProgramWindow(Desktop& desktop, const std::vector<std::string>& argv,
                             const std::string& windowClass, int scale)
    : desktop_(desktop), process_(desktop.command(argv)), scale_(scale) {
    DesktopWindow found = 0;
    if (!process_.started() || !holdsWithin(kWindowPatienceSeconds, [&] {
            return (found = desktop_.windowOfClass(windowClass)) != 0;
        })) {
        return;
    }
    if (!desktop_.focus(found))
        return;
    window_ = found;
}

ProgramWindow::ProgramWindow(Desktop& desktop, const std::string& name,
                             const std::vector<std::string>& arguments)
    : ProgramWindow(desktop, programCommand(name, arguments), programWindowClass(name)) {}

uint32_t ProgramWindow::pixel(int x, int y) const {
    const ScreenArea one = area(x, y, 1, 1);
    return one.pixels.empty() ? 0xFFFFFFFF : one.pixels[0];
}

ScreenArea ProgramWindow::area(int x, int y, int width, int height) const {
    const ScreenArea device =
        desktop_.read(window_, x * scale_, y * scale_, width * scale_, height * scale_);
    ScreenArea area{x, y, width, height, {}};
    if (device.pixels.empty())
        return area;
    if (scale_ == 1) {
        area.pixels = device.pixels;
        return area;
    }
    for (int py = 0; py < height; ++py) {
        for (int px = 0; px < width; ++px)
            area.pixels.push_back(squareColour(device, px * scale_, py * scale_));
    }
    return area;
}

// The colour of the square of device pixels whose corner is (left, top) of the area read, or
// kNotASquare.
uint32_t ProgramWindow::squareColour(const ScreenArea& device, int left, int top) const {
    const uint32_t colour = device.pixels[static_cast<size_t>(top) * device.width + left];
    for (int y = top; y < top + scale_; ++y) {
        for (int x = left; x < left + scale_; ++x) {
            if (device.pixels[static_cast<size_t>(y) * device.width + x] != colour)
                return kNotASquare;
        }
    }
    return colour;
}

ScreenArea ProgramWindow::blackAreaAround(int x, int y) const {
    // The client area and what surrounds it, a pixel each way.
    const ScreenArea around = area(-1, -1, kClientWidth + 2, kClientHeight + 2);
    if (around.pixels.empty())
        return {};
    const auto black = [&](int px, int py) {
        return px >= around.x && py >= around.y && px < around.x + around.width &&
               py < around.y + around.height && around.at(px, py) == 0;
    };
    int left = x;
    int right = x;
    int top = y;
    int bottom = y;
    while (black(left - 1, y))
        --left;
    while (black(right, y))
        ++right;
    while (black(x, top - 1))
        --top;
    while (black(x, bottom))
        ++bottom;
    return ScreenArea{left, top, right - left, bottom - top, {}};
}

bool ProgramWindow::type(const std::string& keys, int delayMs) const {
    return desktop_.type(keys, delayMs);
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
    Ending ending;
    if (!desktop_.close(window_))
        return ending;
    const Clock::time_point sent = Clock::now();
    ending.code = process_.waitExit(patienceSeconds);
    ending.ms = secondsSince(sent) * 1000;
    return ending;
}
