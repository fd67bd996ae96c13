// The pixel layout an X image of the server's visual wants, and the conversion into it from our
// 0x00RRGGBB words.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>

namespace platform::x11 {

class PixelFormat {
public:
    // The format of a true-colour ZPixmap image.
    explicit PixelFormat(const XImage& image);

    // Whether our words already are the server's pixels, byte for byte.
    bool native() const { return native_; }
    int bytesPerPixel() const { return bytesPerPixel_; }

    // Writes `count` pixels in the server's layout.
    void convert(const uint32_t* from, int count, uint8_t* to) const;

private:
    struct Channel {
        int shift = 0;  // of the channel's lowest bit in a pixel value
        int bits = 0;
    };
    static Channel channelOf(unsigned long mask);
    static uint32_t place(uint32_t value8, Channel channel);
    uint32_t pixelOf(uint32_t rgb) const;

    Channel red_, green_, blue_;
    int bytesPerPixel_ = 4;
    bool mostSignificantFirst_ = false;
    bool native_ = false;
};

}  // namespace platform::x11
