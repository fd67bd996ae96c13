// Replay scripts: plain text, one command a line, each at a time in virtual milliseconds after
// the program starts.
//
//   # a comment, from '#' to the end of the line
//   patterns                           play with colour marks, as --patterns does; before
//                                      every other command
//   at 4000 key space                  a key typed (pressed, released 30 ms later), by name
//   at 9000 shot docs/screenshots/a.png   the window as shown at that moment, as a PNG file
//   at 12000 end                       stop the program there (exit code 0)
//
// Times never go back from one command to the next; nothing may follow `end`. Without `end`
// the replay lasts until the program leaves by itself (the menu's exit). The start-up logo
// plays for about 3.5 s and a key cuts it short, so scripts start typing at 4000 ms. The game
// reads keys in its own time: one typed during its one-second pauses and read a second or more
// later is dropped, and the game then waits for a newer key.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace replay {

struct Command {
    enum class Kind { Patterns, Key, Shot, End };
    Kind kind = Kind::End;
    int64_t atMs = 0;
    std::string argument;  // the key's name (platform/headless/key_names.h), or the picture's path
    int line = 0;          // where the script says it, from 1
};

using Script = std::vector<Command>;

// The script's commands in order; on a fault nothing, and `error` says which line and why.
std::optional<Script> parseScript(std::istream& text, std::string& error);

}  // namespace replay
