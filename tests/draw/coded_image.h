// Images whose every word names its own position, for tests that move pixels about.
#pragma once

#include <memory>

#include "runtime/graph.h"

struct FreeImage {
    void operator()(PIMAGE img) const { freeimage(img); }
};
using OwnedImage = std::unique_ptr<IMAGE, FreeImage>;

// Every coded word carries this top byte: copies keep it, blends clear it.
inline constexpr RGBVAL kCodeTop = 0xAB000000;

inline RGBVAL positionCode(int x, int y) {
    return static_cast<RGBVAL>(y) << 12 | static_cast<RGBVAL>(x);
}

inline OwnedImage codedImage(int width, int height) {
    OwnedImage img(newimage(width, height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            img->pixels[y * width + x] = kCodeTop | positionCode(x, y);
    }
    return img;
}
