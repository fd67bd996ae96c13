#include "platform/x11/pixel_format.h"

#include <bit>

namespace platform::x11 {

PixelFormat::PixelFormat(const XImage& image)
    : red_(channelOf(image.red_mask)),
      green_(channelOf(image.green_mask)),
      blue_(channelOf(image.blue_mask)),
      bytesPerPixel_(image.bits_per_pixel / 8),
      mostSignificantFirst_(image.byte_order == MSBFirst) {
    const bool hostMostSignificantFirst = std::endian::native == std::endian::big;
    native_ = image.bits_per_pixel == 32 && image.red_mask == 0xFF0000 &&
              image.green_mask == 0xFF00 && image.blue_mask == 0xFF &&
              mostSignificantFirst_ == hostMostSignificantFirst;
}

PixelFormat::Channel PixelFormat::channelOf(unsigned long mask) {
    if (mask == 0)
        return {};
    return {std::countr_zero(mask), std::popcount(mask)};
}

// Scales an 8-bit channel value to the channel's width, keeping its top bits.
uint32_t PixelFormat::place(uint32_t value8, Channel channel) {
    const uint32_t scaled =
        channel.bits <= 8 ? value8 >> (8 - channel.bits) : value8 << (channel.bits - 8);
    return scaled << channel.shift;
}

uint32_t PixelFormat::pixelOf(uint32_t rgb) const {
    return place(rgb >> 16 & 0xFF, red_) | place(rgb >> 8 & 0xFF, green_) |
           place(rgb & 0xFF, blue_);
}

void PixelFormat::convert(const uint32_t* from, int count, uint8_t* to) const {
    for (int i = 0; i < count; ++i) {
        const uint32_t pixel = pixelOf(from[i]);
        for (int byte = 0; byte < bytesPerPixel_; ++byte) {
            const int shift = 8 * (mostSignificantFirst_ ? bytesPerPixel_ - 1 - byte : byte);
            *to++ = static_cast<uint8_t>(pixel >> shift);
        }
    }
}

}  // namespace platform::x11
