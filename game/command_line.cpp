#include "game/command_line.h"

#include <cstdio>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "Usage: trivanta [--help | --version]\n"
    "\n"
    "Trivanta, a falling-block colour-matching game, opens its window and plays; it takes no\n"
    "options for play.\n"
    "\n"
    "Keys (lower-case letters only):\n"
    "  main menu          w and s move the highlight, space chooses\n"
    "  a game             a and d move the piece, w rotates its colours, s drops it,\n"
    "                     q quits to the menu\n"
    "  colour chooser     r g b y o p: red, green, blue, yellow, orange, purple\n"
    "  help, game over    space\n"
    "\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n";

}  // namespace

std::optional<int> answerCommandLine(int argc, const char* const* argv) {
    if (argc <= 1)
        return std::nullopt;
    const std::string_view argument = argv[1];
    if (argc == 2 && argument == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && argument == "--version") {
        std::printf("trivanta %s\n", TRIVANTA_VERSION);
        return 0;
    }
    std::fputs("trivanta: the only arguments are --help or --version, alone\n\n", stderr);
    std::fputs(kUsage, stderr);
    return 2;
}
