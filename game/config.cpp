#include "game/config.h"

GameConfig& gameConfig() {
    static GameConfig config;
    return config;
}
