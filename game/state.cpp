#include "game/state.h"

GameState& game() {
    static GameState state;
    return state;
}

int32_t& menuFrames() {
    static int32_t frames = 0;
    return frames;
}
