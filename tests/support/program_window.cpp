#include "tests/support/program_window.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "tests/support/program_command.h"
#include "tests/support/x11_window.h"

namespace {

using Clock = std::chrono::steady_clock;

// Generous: Wine may take a while to start a Windows program on a loaded machine.
constexpr double kWindowPatienceSeconds = 60;
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
                             const std::string& windowClass, int scale)
    : display_(display), process_(argv), scale_(scale) {
    ::Window found = 0;
    if (!process_.started() || !holdsWithin(kWindowPatienceSeconds, [&] {
            return (found = findWindowOfClass(display_, windowClass)) != 0;
        })) {
        return;
    }
    if (!focusWhenViewable(display_, found))
        return;
    window_ = found;
}

// A frame drawn inside the window is as wide on the left, the right and the bottom; the caption
// adds to the top. Read afresh each time: Wine sizes the window once it shows.
ProgramWindow::ClientOrigin ProgramWindow::clientOrigin() const {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, window_, &attributes);
    const int side = (attributes.width - kClientWidth * scale_) / 2;
    return {side, attributes.height - kClientHeight * scale_ - side};
}

ProgramWindow::ProgramWindow(Display* display, const std::string& name,
                             const std::vector<std::string>& arguments)
    : ProgramWindow(display, programCommand(name, arguments), programWindowClass(name)) {}

uint32_t ProgramWindow::pixel(int x, int y) const {
    const ScreenArea one = area(x, y, 1, 1);
    return one.pixels.empty() ? 0xFFFFFFFF : one.pixels[0];
}

ScreenArea ProgramWindow::area(int x, int y, int width, int height) const {
    const ClientOrigin origin = clientOrigin();
    const ScreenArea device = readWindow(display_, window_, origin.x + x * scale_,
                                         origin.y + y * scale_, width * scale_, height * scale_);
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
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, window_, &attributes);
    const ScreenArea whole =
        readWindow(display_, window_, 0, 0, attributes.width, attributes.height);
    if (whole.pixels.empty())
        return {};
    const ClientOrigin origin = clientOrigin();
    const int column = origin.x + x;
    const int row = origin.y + y;
    const auto black = [&](int px, int py) {
        return px >= 0 && py >= 0 && px < whole.width && py < whole.height && whole.at(px, py) == 0;
    };
    int left = column;
    int right = column;
    int top = row;
    int bottom = row;
    while (black(left - 1, row))
        --left;
    while (black(right, row))
        ++right;
    while (black(column, top - 1))
        --top;
    while (black(column, bottom))
        ++bottom;
    return ScreenArea{left - origin.x, top - origin.y, right - left, bottom - top, {}};
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
