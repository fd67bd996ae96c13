// The expectations of tests/support/program_screens.h for the browser's checks (tools/web/):
// a module node loads, to which a check hands the canvas's pixels. The checks then ask the same
// questions of the page as the X11 end-to-end tests ask of the desktop's window.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "assets/logo.h"
#include "platform/jpeg.h"
#include "tests/support/program_screens.h"

namespace {

// The canvas's pixels, as 0x00RRGGBB words; outside it, black.
class CanvasPicture final : public ScreenView {
public:
    uint32_t* resize(int width, int height) {
        width_ = width;
        height_ = height;
        pixels_.assign(static_cast<size_t>(width) * height, 0);
        return pixels_.data();
    }
    uint32_t pixel(int x, int y) const override {
        if (x < 0 || y < 0 || x >= width_ || y >= height_)
            return 0;
        return pixels_[static_cast<size_t>(y) * width_ + x];
    }
    ScreenArea area(int x, int y, int width, int height) const override {
        ScreenArea area{x, y, width, height, {}};
        area.pixels.reserve(static_cast<size_t>(width) * height);
        for (int row = y; row < y + height; ++row) {
            for (int column = x; column < x + width; ++column)
                area.pixels.push_back(pixel(column, row));
        }
        return area;
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};

CanvasPicture canvas;

}  // namespace

extern "C" {

// Where the check writes the canvas's pixels, width x height words.
EMSCRIPTEN_KEEPALIVE uint32_t* trivanta_checks_canvas(int width, int height) {
    return canvas.resize(width, height);
}

// The still logo: its middle pixel at the middle of the window, decoded here from the logo the
// program carries, and white around it.
EMSCRIPTEN_KEEPALIVE int trivanta_checks_logo() {
    platform::JpegPicture logo;
    if (platform::decodeJpeg(assets::kLogoJpeg, assets::kLogoJpegSize, logo) !=
        platform::JpegResult::Decoded) {
        return 0;
    }
    const uint32_t middle =
        logo.pixels[static_cast<size_t>(logo.height / 2) * logo.width + logo.width / 2];
    return canvas.pixel(240, 320) == middle && canvas.pixel(39, 320) == 0xFFFFFF;
}

EMSCRIPTEN_KEEPALIVE int trivanta_checks_menu(int cursor) {
    return menuShown(canvas, cursor);
}
EMSCRIPTEN_KEEPALIVE int trivanta_checks_menu_drawn() {
    return menuDrawn(canvas);
}
EMSCRIPTEN_KEEPALIVE int trivanta_checks_help() {
    return helpShown(canvas) && helpPictureDrawn(canvas);
}
EMSCRIPTEN_KEEPALIVE int trivanta_checks_second_help() {
    return secondHelpShown(canvas);
}
EMSCRIPTEN_KEEPALIVE int trivanta_checks_playing() {
    return playingScreenShown(canvas) && firstLevelShown(canvas);
}
EMSCRIPTEN_KEEPALIVE int trivanta_checks_lowest_block() {
    return lowestBlockRow(canvas);
}
EMSCRIPTEN_KEEPALIVE int trivanta_checks_chooser() {
    return chooserShown(canvas);
}
EMSCRIPTEN_KEEPALIVE int trivanta_checks_game_over() {
    return gameOverShown(canvas) && gameOverTitleShown(canvas);
}

}  // extern "C"
