// Trivanta, a falling-block colour-matching game.
#include "game/command_line.h"
#include "game/program.h"

int main(int argc, char** argv) {
    if (const std::optional<int> answered = answerCommandLine(argc, argv))
        return *answered;
    return runTrivanta();
}
