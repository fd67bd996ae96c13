// The program's command line. The game takes no options for play; asked for its usage or its
// version it answers and ends without opening a window.
#pragma once

#include <optional>

// The exit code when the arguments were answered (0) or refused with the usage on standard
// error (2); nothing when there are none and the game is to be played.
std::optional<int> answerCommandLine(int argc, const char* const* argv);
