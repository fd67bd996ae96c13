#include "runtime/logo.h"

#include "assets/logo.h"
#include "runtime/graph.h"

namespace runtime {

namespace {

constexpr double kFramesPerSecond = 60;
constexpr int kLeadInFrames = 20;
constexpr int kStillFrames = 60;
constexpr int kFadeStep = 8;
constexpr int kLastFadeIn = 248;
constexpr int kFullFadeOutStart = 252;
constexpr RGBVAL kWhite = 0xFFFFFF;

RGBVAL grey(int level) {
    return static_cast<RGBVAL>(level) * 0x010101;
}

void frame() {
    delayrate(kFramesPerSecond);
}

// Throws away every waiting character and special key (and what stands in front of them).
void drainKeys() {
    KeyEventInfo info;
    while (keyready() > 0)
        readkeyevent(&info);
}

// Whether a key cuts the sequence short; a key that does is thrown away with the rest.
bool keyCuts() {
    if (keyready() <= 0)
        return false;
    drainKeys();
    return true;
}

// The logo, decoded afresh. A logo as wide as the window or wider is shown at half size.
PIMAGE loadLogo(const void* jpeg, size_t bytes) {
    PIMAGE logo = newimage();
    logo->getimage(jpeg, bytes);
    const int w = imagewidth(logo);
    const int h = imageheight(logo);
    if (w < imagewidth(nullptr))
        return logo;
    PIMAGE half = newimage(w / 2, h / 2);
    putimage(half, 0, 0, w / 2, h / 2, logo, 0, 0, w, h, SRCCOPY);
    freeimage(logo);
    return half;
}

// The background goes through grey levels, the page cleared to each in its own frame.
void fadeBackground(int from, int step, int count) {
    for (int i = 0; i < count; ++i) {
        setbackcolorkeep(grey(from + step * i), nullptr);
        clearimage(nullptr);
        drainKeys();
        frame();
    }
}

}  // namespace

void playLogo() {
    playLogo(assets::kLogoJpeg, assets::kLogoJpegSize);
}

void playLogo(const void* jpeg, size_t bytes) {
    setmanualpresent(1);
    // The lead-in's first frame starts the cadence before the logo is decoded: the decoding then
    // takes its time from the black lead-in, whose cadence catches up, instead of holding back
    // every frame after it (in a browser, where the decoder's code is still cold, noticeably).
    clearimage(nullptr);
    frame();
    PIMAGE logo = loadLogo(jpeg, bytes);
    const int x = (imagewidth(nullptr) - imagewidth(logo)) / 2;
    const int y = (imageheight(nullptr) - imageheight(logo)) / 2;
    auto blendLogo = [&](int opacity) {
        clearimage(nullptr);
        putimage_alphablend(nullptr, logo, x, y, static_cast<uint32_t>(opacity), 0, 0, 0, 0);
    };

    for (int i = 1; i < kLeadInFrames; ++i) {
        clearimage(nullptr);
        frame();
    }
    fadeBackground(0, kFadeStep, 32);
    setbackcolorkeep(kWhite, nullptr);

    bool going = true;
    int opacity = 0;
    for (; opacity <= kLastFadeIn && going; opacity += kFadeStep) {
        blendLogo(opacity);
        going = !keyCuts();
        frame();
    }
    setbackcolorkeep(kWhite, nullptr);
    for (int i = 0; i < kStillFrames && going; ++i) {
        clearimage(nullptr);
        putimage(x, y, logo, SRCCOPY);
        going = !keyCuts();
        frame();
    }

    setbackcolorkeep(kWhite, nullptr);
    // A finished fade-in ends above full opacity; the fade-out then starts just below it.
    for (opacity = opacity > 255 ? kFullFadeOutStart : opacity; opacity >= 0;
         opacity -= kFadeStep) {
        blendLogo(opacity);
        drainKeys();
        frame();
    }
    clearimage(nullptr);
    fadeBackground(255, -kFadeStep, 32);

    freeimage(logo);
    setbackcolorkeep(0, nullptr);
    clearimage(nullptr);
    setmanualpresent(0);
}

}  // namespace runtime
