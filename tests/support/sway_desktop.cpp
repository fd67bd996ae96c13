#include "tests/support/sway_desktop.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/program_window.h"

namespace {

namespace fs = std::filesystem;

// The first node of the tree, depth first, that matches.
const JsonValue* find(const JsonValue& tree, const std::function<bool(const JsonValue&)>& matches) {
    if (matches(tree))
        return &tree;
    for (const char* children : {"nodes", "floating_nodes"}) {
        for (const JsonValue& child : tree[children].items) {
            if (const JsonValue* found = find(child, matches))
                return found;
        }
    }
    return nullptr;
}

int number(const JsonValue& value) {
    return static_cast<int>(value.number);
}

// The file in the folder whose name starts so and that is not a lock, or empty.
std::string fileStarting(const std::string& folder, const std::string& start) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename();
        if (name.rfind(start, 0) == 0 && name.find(".lock") == std::string::npos)
            return name;
    }
    return "";
}

// A picture in the binary PPM format grim writes, as 0x00RRGGBB pixels; empty when it is not
// one of that size.
std::vector<uint32_t> ppmPixels(const std::string& picture, int width, int height) {
    std::istringstream header(picture);
    std::string magic;
    int w = 0, h = 0, maximum = 0;
    header >> magic >> w >> h >> maximum;
    const size_t start = static_cast<size_t>(header.tellg()) + 1;
    const size_t count = static_cast<size_t>(width) * height;
    if (magic != "P6" || w != width || h != height || maximum != 255 ||
        picture.size() < start + 3 * count)
        return {};
    std::vector<uint32_t> pixels(count);
    for (size_t i = 0; i < count; ++i) {
        const auto byte = [&](size_t k) {
            return static_cast<uint32_t>(static_cast<unsigned char>(picture[start + 3 * i + k]));
        };
        pixels[i] = byte(0) << 16 | byte(1) << 8 | byte(2);
    }
    return pixels;
}

// xdotool key names ("shift+a Return") as wtype arguments. wtype's keyboard has one keysym a key,
// which a held modifier does not change, and it looks key names up whatever their case: shift
// and a letter are typed as the capital letter's text, and the other modifiers are held around
// the key.
std::vector<std::string> wtypeArguments(const std::string& keys) {
    std::istringstream words(keys);
    std::vector<std::string> arguments;
    std::string chord;
    while (words >> chord) {
        std::vector<std::string> parts;
        std::istringstream names(chord);
        for (std::string part; std::getline(names, part, '+');)
            parts.push_back(part);
        if (parts.empty())
            continue;
        std::vector<std::string> key{"-k", parts.back()};
        const auto shift = std::find(parts.begin(), parts.end() - 1, "shift");
        if (shift != parts.end() - 1 && parts.back().size() == 1 &&
            std::islower(parts.back()[0]) != 0) {
            key = {std::string(1, static_cast<char>(std::toupper(parts.back()[0])))};
            parts.erase(shift);
        }
        for (size_t i = 0; i + 1 < parts.size(); ++i)
            arguments.insert(arguments.end(), {"-M", parts[i]});
        arguments.insert(arguments.end(), key.begin(), key.end());
        for (size_t i = parts.size() - 1; i-- > 0;)
            arguments.insert(arguments.end(), {"-m", parts[i]});
    }
    return arguments;
}

}  // namespace

SwayDesktop::SwayDesktop(const DesktopOptions& options) : CompositorDesktop(options, true) {
    if (running())
        startSession(options);
}

void SwayDesktop::startSession(const DesktopOptions& options) {
    // Room for a window twice as large each way, with its title bar, at a scale of 2.
    const std::string mode = options.scale == 2 ? "1280x1400" : "800x760";
    std::ofstream(folder() + "/config")
        << "output * mode " << mode << " scale " << options.scale << "\n"
        << "xwayland " << (testingXPrograms() ? "enable" : "disable") << "\n";
    if (!start({"/usr/bin/sway", "--config", folder() + "/config"},
               {"WLR_BACKENDS=headless", "WLR_RENDERER=pixman", "WLR_LIBINPUT_NO_DEVICES=1"}) ||
        !holdsWithin(30, [&] {
            return !fileStarting(folder(), "wayland-").empty() &&
                   !fileStarting(folder(), "sway-ipc.").empty();
        })) {
        fail("sway did not start: is it installed? Its log:\n" + contentsOf("compositor.log"));
        return;
    }
    environment().set("SWAYSOCK", folder() + "/" + fileStarting(folder(), "sway-ipc."));
    // sway names its X server to the programs it starts.
    if (testingXPrograms() && !(run("swaymsg -q exec 'cd \"$XDG_RUNTIME_DIR\" && "
                                    "printf %s \"$DISPLAY\" > x-display.new && "
                                    "mv x-display.new x-display'") &&
                                awaitFile("x-display")))
        return;
    publish(fileStarting(folder(), "wayland-"),
            testingXPrograms() ? std::optional(contentsOf("x-display")) : std::nullopt);
}

std::optional<JsonValue> SwayDesktop::nodeWhere(
    const std::function<bool(const JsonValue&)>& matches) {
    const std::optional<std::string> printed = run("swaymsg -r -t get_tree");
    if (!printed)
        return std::nullopt;
    const std::optional<JsonValue> tree = parseJson(*printed);
    if (!tree)
        return std::nullopt;
    const JsonValue* found = find(*tree, matches);
    return found != nullptr ? std::optional(*found) : std::nullopt;
}

std::optional<JsonValue> SwayDesktop::node(DesktopWindow window) {
    return nodeWhere([&](const JsonValue& node) { return node["id"].number == window; });
}

DesktopWindow SwayDesktop::windowOfClass(const std::string& windowClass) {
    const std::optional<JsonValue> found = nodeWhere([&](const JsonValue& node) {
        return node["app_id"].text == windowClass ||
               node["window_properties"]["class"].text == windowClass;
    });
    return found ? static_cast<DesktopWindow>((*found)["id"].number) : 0;
}

DesktopWindow SwayDesktop::windowNamed(const std::string& caption) {
    const std::optional<JsonValue> found = nodeWhere([&](const JsonValue& node) {
        return node["name"].text == caption && node["type"].text != "workspace";
    });
    return found ? static_cast<DesktopWindow>((*found)["id"].number) : 0;
}

bool SwayDesktop::tellWindows(const std::string& criteria, const std::string& what) {
    return run("swaymsg -q " + shellWord(criteria + " " + what)).has_value();
}

bool SwayDesktop::focus(DesktopWindow window) {
    const std::string criteria = "[con_id=" + std::to_string(window) + "]";
    return holdsWithin(30,
                       [&] {
                           const std::optional<JsonValue> found = node(window);
                           return found && (*found)["visible"].boolean;
                       }) &&
           tellWindows(criteria, "focus");
}

std::string SwayDesktop::caption(DesktopWindow window) {
    const std::optional<JsonValue> found = node(window);
    return found ? (*found)["name"].text : "";
}

WindowSize SwayDesktop::size(DesktopWindow window) {
    const std::optional<JsonValue> found = node(window);
    if (!found)
        return {};
    const JsonValue& content = (*found)["window_rect"];
    return {number(content["width"]) * scale(), number(content["height"]) * scale()};
}

ScreenArea SwayDesktop::read(DesktopWindow window, int x, int y, int width, int height) {
    ScreenArea area{x, y, width, height, {}};
    const std::optional<JsonValue> found = node(window);
    if (!found)
        return area;
    // Layout coordinates, in which the output's scale makes a device pixel smaller.
    const JsonValue& frame = (*found)["rect"];
    const JsonValue& content = (*found)["window_rect"];
    const int left = number(frame["x"]) + number(content["x"]) + x / scale();
    const int top = number(frame["y"]) + number(content["y"]) + y / scale();
    const std::string region = std::to_string(left) + "," + std::to_string(top) + " " +
                               std::to_string(width / scale()) + "x" +
                               std::to_string(height / scale());
    if (const std::optional<std::string> picture =
            run("grim -t ppm -g " + shellWord(region) + " -"))
        area.pixels = ppmPixels(*picture, width, height);
    return area;
}

bool SwayDesktop::close(DesktopWindow window) {
    return tellWindows("[con_id=" + std::to_string(window) + "]", "kill");
}

bool SwayDesktop::type(const std::string& keys, int delayMs) {
    // Each run of wtype brings a keyboard with a keymap of its own, and the keys wait a moment
    // after it appears: a client of sway's X server takes the new keymap a moment late, and would
    // read a key sent at once with the one before.
    // wtype takes no delay of 0, which is its own without one.
    std::string line = "wtype -s 50";
    if (delayMs > 0)
        line.append(" -d ").append(std::to_string(delayMs));
    for (const std::string& argument : wtypeArguments(keys))
        line.append(" ").append(shellWord(argument));
    return run(line).has_value();
}

bool SwayDesktop::hold(const std::string& key, int ms) {
    return run("wtype -s 50 -P " + shellWord(key) + " -s " + std::to_string(ms) + " -p " +
               shellWord(key))
        .has_value();
}
