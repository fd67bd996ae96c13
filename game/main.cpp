// Trivanta, a falling-block colour-matching game.
#include <cstdlib>

#include "game/command_line.h"
#include "game/program.h"

int main(int argc, char** argv) {
    const CommandLine line = readCommandLine(argc, argv, std::getenv("TRIVANTA_PATTERNS"));
    if (line.exitCode)
        return *line.exitCode;
    return runTrivanta(line.config);
}
