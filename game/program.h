// The whole program: the window, then the menu and whatever the player chooses, until they
// leave.
#pragma once

// Returns the program's exit code.
int runTrivanta();
