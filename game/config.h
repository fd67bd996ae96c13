// How the player asked the game to be played: the choices the command line and the environment
// make before the window opens. The drawing that depends on a choice reads it here, and only there.
#pragma once

struct GameConfig {
    // Every coloured block carries a mark of its colour, for players who cannot tell the colours
    // apart.
    bool colourMarks = false;
};

// The configuration of this run; the program sets it once before the first screen.
GameConfig& gameConfig();
