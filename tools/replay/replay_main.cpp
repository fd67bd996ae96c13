// trivanta_replay SCRIPT: plays the game headless as the script says and saves the window as
// PNG files at its shots (tools/replay/script.h describes scripts). Exit code 2 for a faulty
// script, 1 for a shot that cannot be written, else the program's own.
#include <cstdio>
#include <fstream>

#include "tools/replay/replay.h"

namespace {

constexpr int kBadScript = 2;

int refuse(const char* path, const std::string& why) {
    std::fprintf(stderr, "trivanta_replay: %s: %s\n", path, why.c_str());
    return kBadScript;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: trivanta_replay SCRIPT\n");
        return kBadScript;
    }
    std::ifstream file(argv[1]);
    if (!file)
        return refuse(argv[1], "cannot read the script");
    std::string error;
    const std::optional<replay::Script> script = replay::parseScript(file, error);
    if (!script)
        return refuse(argv[1], error);
    if (error = replay::checkShots(*script); !error.empty())
        return refuse(argv[1], error);
    return replay::replayGame(*script);
}
