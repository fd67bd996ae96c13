// PNG files read back as pixels: the replay tool's shots and a compositor's screenshots.
#pragma once

#include <optional>
#include <string>

#include "tests/support/screen_view.h"

// The file's pixels as 0x00RRGGBB from (0, 0), or none when it cannot be read.
std::optional<ScreenArea> readPng(const std::string& path);
