// Trivanta, a falling-block colour-matching game.
#include "game/program.h"

int main() {
    return runTrivanta();
}
