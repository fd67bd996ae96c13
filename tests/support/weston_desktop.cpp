#include "tests/support/weston_desktop.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "tests/support/png_picture.h"
#include "tests/support/program_window.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kSocket = "wayland-0";

// The views the scene graph lists as top-level windows, with their content's place. An X window's
// view is its frame: what it shows opaque is the content within a border of a pixel.
std::vector<WestonDesktop::View> viewsIn(const std::string& sceneGraph) {
    static const std::regex label(
        R"(View \d+ \(role [^,]*, PID \d+, surface ID (\d+), top-level window '(.*)'(?: of (\S+))?, 0x)");
    static const std::regex position(R"(position: \((-?\d+), (-?\d+)\) -> \((-?\d+), (-?\d+)\))");
    static const std::regex opaque(R"(\[opaque: \((-?\d+), (-?\d+)\) -> \((-?\d+), (-?\d+)\)\])");
    std::vector<WestonDesktop::View> views;
    std::istringstream lines(sceneGraph);
    std::smatch match;
    // Whether the lines read describe a top-level window's view, rather than another's.
    bool inTopLevel = false;
    for (std::string line; std::getline(lines, line);) {
        if (std::regex_search(line, match, label)) {
            views.push_back({std::stoull(match[1]), match[2], match[3], 0, 0, 0, 0});
            inTopLevel = true;
        } else if (line.find("View ") != std::string::npos) {
            inTopLevel = false;
        } else if (inTopLevel && (std::regex_search(line, match, position) ||
                                  std::regex_search(line, match, opaque))) {
            const int inset = line.find("opaque") != std::string::npos ? 1 : 0;
            WestonDesktop::View& view = views.back();
            view.x = std::stoi(match[1]) + inset;
            view.y = std::stoi(match[2]) + inset;
            view.width = std::stoi(match[3]) - std::stoi(match[1]) - 2 * inset;
            view.height = std::stoi(match[4]) - std::stoi(match[2]) - 2 * inset;
        }
    }
    return views;
}

}  // namespace

WestonDesktop::WestonDesktop(const DesktopOptions& options) : CompositorDesktop(options, false) {
    if (running())
        startSession(options);
}

void WestonDesktop::startSession(const DesktopOptions& options) {
    // No panel, no screen saver, and a background of a colour the programs do not draw.
    std::ofstream(folder() + "/weston.ini") << "[core]\nidle-time=0\n"
                                            << "[shell]\nbackground-color=0xff203040\n"
                                            << "panel-position=none\n";
    // The output's size in the layout's coordinates: room for a window and its title bar,
    // which at a scale of 2 are twice as large each way.
    const bool dense = options.scale == 2;
    std::vector<std::string> argv{"/usr/bin/weston",
                                  "--backend=headless-backend.so",
                                  "--use-pixman",
                                  "--debug",
                                  std::string("--socket=") + kSocket,
                                  dense ? "--width=640" : "--width=800",
                                  dense ? "--height=700" : "--height=760",
                                  "--scale=" + std::to_string(options.scale),
                                  "--config=" + folder() + "/weston.ini",
                                  "--log=" + log()};
    if (testingXPrograms())
        argv.push_back("--xwayland");
    if (!start(argv, {}) || !awaitFile(kSocket))
        return;
    if (!testingXPrograms()) {
        publish(kSocket, std::nullopt);
        return;
    }
    // weston logs the X display its X server listens on.
    std::smatch match;
    static const std::regex listening("xserver listening on display (:\\d+)");
    std::string logged;
    if (!holdsWithin(30, [&] {
            logged = contentsOf("compositor.log");
            return std::regex_search(logged, match, listening);
        })) {
        fail("weston's X server did not start. Its log:\n" + logged);
        return;
    }
    publish(kSocket, std::string(match[1]));
}

std::vector<WestonDesktop::View> WestonDesktop::views() {
    const std::optional<std::string> sceneGraph = run("weston-debug scene-graph");
    return sceneGraph ? viewsIn(*sceneGraph) : std::vector<View>{};
}

std::optional<WestonDesktop::View> WestonDesktop::view(DesktopWindow window) {
    for (const View& view : views()) {
        if (view.surface == window)
            return view;
    }
    return std::nullopt;
}

DesktopWindow WestonDesktop::windowOfClass(const std::string& windowClass) {
    // The scene graph names no X window's class: through the X server, any window is the one.
    for (const View& view : views()) {
        if (view.appId == windowClass || (testingXPrograms() && view.appId.empty()))
            return view.surface;
    }
    return 0;
}

DesktopWindow WestonDesktop::windowNamed(const std::string& caption) {
    for (const View& view : views()) {
        if (view.title == caption)
            return view.surface;
    }
    return 0;
}

bool WestonDesktop::focus(DesktopWindow window) {
    // Without input devices nothing has the focus: the window needs only to be there.
    return holdsWithin(30, [&] { return view(window).has_value(); });
}

std::string WestonDesktop::caption(DesktopWindow window) {
    const std::optional<View> found = view(window);
    return found ? found->title : "";
}

WindowSize WestonDesktop::size(DesktopWindow window) {
    const std::optional<View> found = view(window);
    if (!found)
        return {};
    return {found->width * scale(), found->height * scale()};
}

ScreenArea WestonDesktop::read(DesktopWindow window, int x, int y, int width, int height) {
    ScreenArea area{x, y, width, height, {}};
    const std::optional<View> found = view(window);
    // weston-screenshooter saves the output in the folder it runs in, under a name of its own.
    const std::string shots = folder() + "/shots";
    std::error_code error;
    fs::remove_all(shots, error);
    fs::create_directory(shots, error);
    if (!found || !run("weston-screenshooter", "shots"))
        return area;
    std::optional<ScreenArea> output;
    for (const auto& entry : fs::directory_iterator(shots, error))
        output = readPng(entry.path());
    if (!output)
        return area;
    area.pixels.assign(static_cast<size_t>(width) * height, 0xFFFFFFFF);
    const int left = found->x * scale() + x;
    const int top = found->y * scale() + y;
    for (int py = std::max(top, 0); py < std::min(top + height, output->height); ++py) {
        for (int px = std::max(left, 0); px < std::min(left + width, output->width); ++px)
            area.pixels[static_cast<size_t>(py - top) * width + (px - left)] = output->at(px, py);
    }
    return area;
}
