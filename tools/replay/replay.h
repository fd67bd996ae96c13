// Runs the game on the headless backend as a script tells: its keys typed at their times, the
// window saved at each shot, and the program stopped at its end.
#pragma once

#include <string>

#include "tools/replay/script.h"

namespace replay {

// Why the script cannot run here (a shot's folder is missing), naming its line; empty if it can.
std::string checkShots(const Script& script);

// Plays the script through the whole program; returns the exit code. Call once per process,
// before anything has opened the window.
int replayGame(const Script& script);

}  // namespace replay
