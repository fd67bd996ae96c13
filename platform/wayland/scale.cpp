#include "platform/wayland/scale.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace platform::wayland {

namespace {

// A length times `numerator / denominator`, rounded half away from zero as the compositor
// rounds buffer sizes.
int scaled(int length, int64_t numerator, int64_t denominator) {
    return static_cast<int>((length * numerator + denominator / 2) / denominator);
}

Size scaled(Size size, int64_t numerator, int64_t denominator) {
    return {scaled(size.width, numerator, denominator),
            scaled(size.height, numerator, denominator)};
}

// Device pixels per unit: the fractional scale in 120ths where the compositor prefers one,
// else the whole-number scale.
int64_t deviceScale120(const ScaleInputs& inputs) {
    if (inputs.preferred120 > 0 && inputs.viewports)
        return inputs.preferred120;
    return int64_t{inputs.outputScale} * kFractionDenominator;
}

// The forced factor, lowered until the enlarged picture fits the room.
int fitted(Size picture, const ScaleInputs& inputs) {
    int factor = inputs.forced;
    const bool known = inputs.room.width > 0 && inputs.room.height > 0;
    while (known && factor > 1 &&
           (int64_t{picture.width} * factor > inputs.room.width ||
            int64_t{picture.height} * factor > inputs.room.height)) {
        --factor;
    }
    return factor;
}

}  // namespace

int forcedScale(const char* setting) {
    if (setting == nullptr)
        return 0;
    const char* end = setting + std::strlen(setting);
    int factor = 0;
    const auto [stop, error] = std::from_chars(setting, end, factor);
    if (error != std::errc() || stop != end || factor < 1 || factor > kMaxForcedScale)
        return 0;
    return factor;
}

Scaling chooseScaling(Size picture, const ScaleInputs& inputs) {
    const int64_t device120 = deviceScale120(inputs);
    // Device pixels per pixel of the picture, in 120ths.
    const int64_t pixel120 =
        inputs.forced > 0 ? int64_t{fitted(picture, inputs)} * kFractionDenominator : device120;
    Scaling scaling;
    scaling.buffer = scaled(picture, pixel120, kFractionDenominator);
    scaling.surface = scaled(picture, pixel120, device120);
    if (device120 % kFractionDenominator == 0) {
        const int whole = static_cast<int>(device120 / kFractionDenominator);
        if (scaling.buffer.width % whole == 0 && scaling.buffer.height % whole == 0 &&
            scaling.surface.width * whole == scaling.buffer.width &&
            scaling.surface.height * whole == scaling.buffer.height) {
            // A buffer that is a whole number of device pixels per unit needs no viewport.
            scaling.bufferScale = whole;
            return scaling;
        }
    }
    if (inputs.viewports) {
        scaling.viewport = true;
        return scaling;
    }
    // Without viewports the compositor shows the buffer at its own size: a pixel per unit.
    scaling.surface = scaling.buffer;
    return scaling;
}

int toPicture(double surfaceUnits, int pictureLength, int surfaceLength) {
    if (surfaceLength <= 0)
        return 0;
    return static_cast<int>(std::floor(surfaceUnits * pictureLength / surfaceLength));
}

}  // namespace platform::wayland
