// The whole program: the window, then the menu and whatever the player chooses, until they
// leave.
#pragma once

#include "game/config.h"

// Plays as the configuration says; returns the program's exit code.
int runTrivanta(const GameConfig& config = {});
