// The program's command line. Asked for its usage or its version the program answers and ends
// without opening a window; --patterns, or TRIVANTA_PATTERNS=1 for launchers that pass no
// arguments, plays with a mark on every coloured block.
#pragma once

#include <optional>

#include "game/config.h"

struct CommandLine {
    // The exit code when the arguments were answered (0) or refused with the usage on standard
    // error (2); nothing when the game is to be played.
    std::optional<int> exitCode;
    GameConfig config;
};

// `patternsVariable` is the value of TRIVANTA_PATTERNS, null when it is not set.
CommandLine readCommandLine(int argc, const char* const* argv, const char* patternsVariable);
