// A program's window as a test sees it from outside, whichever way the test reads it: through an
// X server (tests/support/program_window.h) or from a web page's canvas (tests/web/).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The window's pixels as 0x00RRGGBB, row by row, from (x, y), width x height; empty when the
// window cannot be read.
struct ScreenArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t at(int px, int py) const {
        return pixels[static_cast<size_t>(py - y) * width + (px - x)];
    }
};

class ScreenView {
public:
    virtual ~ScreenView() = default;
    virtual uint32_t pixel(int x, int y) const = 0;
    virtual ScreenArea area(int x, int y, int width, int height) const = 0;
};
