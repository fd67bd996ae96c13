#include "game/command_line.h"

#include <cstdio>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "Usage: trivanta [--help | --version]\n"
    "       trivanta --patterns\n"
    "\n"
    "Trivanta, a falling-block colour-matching game, opens its window and plays.\n"
    "\n"
    "Keys (lower-case letters only):\n"
    "  main menu          w and s move the highlight, space chooses\n"
    "  a game             a and d move the piece, w rotates its colours, s drops it,\n"
    "                     q quits to the menu\n"
    "  colour chooser     r g b y o p: red, green, blue, yellow, orange, purple\n"
    "  help, game over    space\n"
    "\n"
    "  --help      print this help and exit\n"
    "  --version   print the version and exit\n"
    "  --patterns  play with a mark on every coloured block, one shape per colour, for\n"
    "              players who cannot tell the colours apart; TRIVANTA_PATTERNS=1 in the\n"
    "              environment does the same\n";

}  // namespace

CommandLine readCommandLine(int argc, const char* const* argv, const char* patternsVariable) {
    CommandLine line;
    line.config.colourMarks =
        patternsVariable != nullptr && std::string_view(patternsVariable) == "1";
    if (argc <= 1)
        return line;
    const std::string_view argument = argv[1];
    if (argc == 2 && argument == "--patterns") {
        line.config.colourMarks = true;
        return line;
    }
    if (argc == 2 && argument == "--help") {
        std::fputs(kUsage, stdout);
        line.exitCode = 0;
        return line;
    }
    if (argc == 2 && argument == "--version") {
        std::printf("trivanta %s\n", TRIVANTA_VERSION);
        line.exitCode = 0;
        return line;
    }
    std::fputs("trivanta: the only arguments are --help, --version or --patterns, alone\n\n",
               stderr);
    std::fputs(kUsage, stderr);
    line.exitCode = 2;
    return line;
}
