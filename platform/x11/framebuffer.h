// The window's picture on our side: an X image of the client size, in shared memory when the
// server offers it. It always holds what the window was last sent, so a presentation sends only
// the rows and columns that changed. On a scaled window the image holds each of the runtime's
// pixels as a square of device pixels, and a copy of the picture at its own size (what the
// window shows, before enlarging) is what presentations compare with. Every call is made with
// the display locked.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/backend.h"
#include "platform/x11/pixel_format.h"

namespace platform::x11 {

class Framebuffer {
public:
    Framebuffer(Display* display, ::Window window, Visual* visual, int depth);
    ~Framebuffer();
    Framebuffer(const Framebuffer&) = delete;
    Framebuffer& operator=(const Framebuffer&) = delete;

    // Makes the image for a picture of `size` shown `scale` device pixels each way per pixel;
    // false when no memory could be had.
    bool resize(Size size, int scale);
    // Frees the image, before the window goes.
    void release();
    // Sends the changed part of a width x height picture (0x00RRGGBB words, rows `stride`
    // words apart) to the client area's top-left corner, enlarged by the scale; only the part
    // within `changed` can differ from what the window shows.
    void present(const uint32_t* pixels, int stride, int width, int height, Rect changed);
    // The window lost its contents: the next presentation sends the whole picture.
    void contentsLost() { lost_ = true; }

    bool sharesMemory() const { return shared_; }

private:
    bool makeSharedImage(Size size);
    bool makePlainImage(Size size);
    uint8_t* shownRow(int y);
    uint8_t* imageRow(int y);
    Rect copyChanges(const uint32_t* pixels, int stride, const Rect& area);
    void enlarge(const Rect& span);
    void send(const Rect& span);

    Display* display_;
    ::Window window_;
    Visual* visual_;
    int depth_;
    GC gc_;
    XImage* image_ = nullptr;
    XShmSegmentInfo segment_{};
    bool shared_ = false;
    std::vector<char> plainPixels_;  // the image's memory when it is not shared
    Size size_;                      // of the picture, in the runtime's pixels
    int scale_ = 1;
    // The picture the window shows, in the server's layout, rows `size_.width` pixels apart;
    // unused at scale 1, where the image itself is that picture.
    std::vector<uint8_t> shown_;
    std::vector<uint8_t> convertedRow_;  // one row in the server's layout
    std::optional<PixelFormat> format_;
    bool lost_ = true;
};

}  // namespace platform::x11
