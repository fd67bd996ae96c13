#include "tools/replay/replay.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "game/program.h"
#include "platform/headless/headless.h"
#include "tools/replay/clock_stops.h"
#include "tools/replay/png_file.h"

namespace replay {

namespace {

namespace headless = platform::headless;

// The moments the clock must halt at: the shots and the end, in the script's order.
std::vector<const Command*> stopsOf(const Script& script) {
    std::vector<const Command*> stops;
    for (const Command& command : script) {
        if (command.kind == Command::Kind::Shot || command.kind == Command::Kind::End)
            stops.push_back(&command);
    }
    return stops;
}

void takeShot(const Command& shot) {
    const headless::Frame frame = headless::lastFrame();
    std::string error;
    if (frame.pixels.empty())
        error = "the window has shown nothing by " + std::to_string(shot.atMs) + " ms";
    else if (writePng(shot.argument, frame, error))
        return;
    std::fprintf(stderr, "trivanta_replay: line %d: %s\n", shot.line, error.c_str());
    std::exit(EXIT_FAILURE);
}

}  // namespace

std::string checkShots(const Script& script) {
    for (const Command& command : script) {
        if (command.kind != Command::Kind::Shot)
            continue;
        const std::filesystem::path folder =
            std::filesystem::absolute(command.argument).parent_path();
        if (!std::filesystem::is_directory(folder))
            return "line " + std::to_string(command.line) + ": there is no folder " +
                   folder.string() + " for the shot";
    }
    return "";
}

int replayGame(const Script& script) {
    headless::use();
    const double startMs = headless::nowMs();
    for (const Command& command : script) {
        if (command.kind == Command::Kind::Key)
            headless::pressKey(startMs + static_cast<double>(command.atMs),
                               command.argument.c_str());
    }
    const std::vector<const Command*> stops = stopsOf(script);
    std::vector<double> stopsMs;
    for (const Command* stop : stops)
        stopsMs.push_back(startMs + static_cast<double>(stop->atMs));
    // The runtime may use its backend until the process ends, so the clock is never freed.
    auto* clock = new ClockStops(platform::backend(), stopsMs, [&stops](size_t index) {
        if (stops[index]->kind == Command::Kind::Shot)
            takeShot(*stops[index]);
        else
            std::exit(EXIT_SUCCESS);
    });
    platform::useBackend(*clock);
    GameConfig config;
    config.colourMarks = !script.empty() && script.front().kind == Command::Kind::Patterns;
    const int code = runTrivanta(config);
    clock->reachRemaining();
    return code;
}

}  // namespace replay
