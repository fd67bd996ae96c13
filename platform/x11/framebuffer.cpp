#include "platform/x11/framebuffer.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "platform/changed_rows.h"
#include "platform/x11/display.h"

namespace platform::x11 {

namespace {

// Whether the server runs on this machine. A remote server cannot see our memory, and might
// even attach a segment of its own machine that has the same number.
bool isLocal(Display* display) {
    const std::string_view name = DisplayString(display);
    return name.starts_with(':') || name.starts_with("unix:");
}

// Writes `count` pixels of the given type, each `times` over. Pixels are copied as bytes: rows
// of 3-byte pixels put them at any alignment.
template <typename Pixel>
void repeatPixels(const uint8_t* from, int count, int times, uint8_t* to) {
    for (int i = 0; i < count; ++i) {
        Pixel pixel;
        std::memcpy(&pixel, from + static_cast<ptrdiff_t>(i) * sizeof pixel, sizeof pixel);
        for (int copy = 0; copy < times; ++copy, to += sizeof pixel)
            std::memcpy(to, &pixel, sizeof pixel);
    }
}

void repeatPixels(const uint8_t* from, int count, int bytesPerPixel, int times, uint8_t* to) {
    switch (bytesPerPixel) {
        case 4:
            repeatPixels<uint32_t>(from, count, times, to);
            break;
        case 3:
            repeatPixels<std::array<uint8_t, 3>>(from, count, times, to);
            break;
        case 2:
            repeatPixels<uint16_t>(from, count, times, to);
            break;
        default:
            repeatPixels<uint8_t>(from, count, times, to);
            break;
    }
}

Rect scaled(const Rect& rect, int scale) {
    return {rect.left * scale, rect.top * scale, rect.right * scale, rect.bottom * scale};
}

}  // namespace

Framebuffer::Framebuffer(Display* display, ::Window window, Visual* visual, int depth)
    : display_(display), window_(window), visual_(visual), depth_(depth) {
    XGCValues values{};
    values.graphics_exposures = False;
    gc_ = XCreateGC(display_, window_, GCGraphicsExposures, &values);
}

Framebuffer::~Framebuffer() {
    release();
    XFreeGC(display_, gc_);
}

bool Framebuffer::resize(Size size, int scale) {
    if (image_ != nullptr && size.width == size_.width && size.height == size_.height &&
        scale == scale_) {
        return true;
    }
    release();
    const Size device{size.width * scale, size.height * scale};
    if (!makeSharedImage(device) && !makePlainImage(device))
        return false;
    size_ = size;
    scale_ = scale;
    format_.emplace(*image_);
    const size_t rowBytes = static_cast<size_t>(size.width) * format_->bytesPerPixel();
    convertedRow_.resize(rowBytes);
    shown_.assign(scale == 1 ? 0 : rowBytes * size.height, 0);
    lost_ = true;
    return true;
}

// Shared memory saves copying the picture through the socket, but only works when the server
// runs on this machine and offers MIT-SHM, and may still refuse the attach (for instance from
// another container).
bool Framebuffer::makeSharedImage(Size size) {
    if (!isLocal(display_) || !XShmQueryExtension(display_))
        return false;
    image_ = XShmCreateImage(display_, visual_, depth_, ZPixmap, nullptr, &segment_, size.width,
                             size.height);
    if (image_ == nullptr)
        return false;
    const size_t bytes = static_cast<size_t>(image_->bytes_per_line) * image_->height;
    segment_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    bool attached = false;
    if (segment_.shmid >= 0) {
        segment_.shmaddr = static_cast<char*>(shmat(segment_.shmid, nullptr, 0));
        if (segment_.shmaddr != reinterpret_cast<char*>(-1)) {
            image_->data = segment_.shmaddr;
            segment_.readOnly = False;
            ErrorTrap trap(display_);
            XShmAttach(display_, &segment_);
            attached = !trap.failed();
            if (!attached)
                shmdt(segment_.shmaddr);
        }
        // The segment is freed once both sides have detached, even if the process dies.
        shmctl(segment_.shmid, IPC_RMID, nullptr);
    }
    if (!attached) {
        image_->data = nullptr;
        XDestroyImage(image_);
        image_ = nullptr;
        return false;
    }
    shared_ = true;
    return true;
}

bool Framebuffer::makePlainImage(Size size) {
    image_ = XCreateImage(display_, visual_, depth_, ZPixmap, 0, nullptr, size.width, size.height,
                          32, 0);
    if (image_ == nullptr)
        return false;
    plainPixels_.assign(static_cast<size_t>(image_->bytes_per_line) * image_->height, 0);
    image_->data = plainPixels_.data();
    return true;
}

void Framebuffer::release() {
    if (image_ == nullptr)
        return;
    if (shared_) {
        XShmDetach(display_, &segment_);
        // The server must be done with the segment before it goes from our side.
        XSync(display_, False);
        shmdt(segment_.shmaddr);
        shared_ = false;
    }
    // The memory is not the image's to free.
    image_->data = nullptr;
    XDestroyImage(image_);
    image_ = nullptr;
    plainPixels_.clear();
}

void Framebuffer::present(const uint32_t* pixels, int stride, int width, int height, Rect hint) {
    if (image_ == nullptr)
        return;
    width = std::clamp(width, 0, size_.width);
    height = std::clamp(height, 0, size_.height);
    // After the window lost its contents the whole picture is compared, as nothing is known.
    const Rect area =
        lost_ ? Rect{0, 0, width, height} : intersect(hint, Rect{0, 0, width, height});
    const Rect changed = copyChanges(pixels, stride, area);
    if (lost_) {
        enlarge({0, 0, size_.width, size_.height});
        send({0, 0, image_->width, image_->height});
        lost_ = false;
    } else if (!changed.empty()) {
        enlarge(changed);
        send(scaled(changed, scale_));
    }
}

// Row y of the picture the window shows.
uint8_t* Framebuffer::shownRow(int y) {
    if (scale_ == 1)
        return imageRow(y);
    return shown_.data() + static_cast<ptrdiff_t>(y) * size_.width * format_->bytesPerPixel();
}

uint8_t* Framebuffer::imageRow(int y) {
    return reinterpret_cast<uint8_t*>(image_->data) +
           static_cast<ptrdiff_t>(y) * image_->bytes_per_line;
}

// Copies the pixels of the area that differ from what the window shows into the shown picture;
// the part that changed.
Rect Framebuffer::copyChanges(const uint32_t* pixels, int stride, const Rect& area) {
    const int bytesPerPixel = format_->bytesPerPixel();
    const auto sourceRow = [&](int y) {
        const uint32_t* source = pixels + static_cast<ptrdiff_t>(y) * stride + area.left;
        if (format_->native())
            return reinterpret_cast<const uint8_t*>(source);
        format_->convert(source, area.width(), convertedRow_.data());
        return static_cast<const uint8_t*>(convertedRow_.data());
    };
    const auto shownRowOfArea = [&](int y) {
        return shownRow(y) + static_cast<ptrdiff_t>(area.left) * bytesPerPixel;
    };
    return copyChangedRows(area, bytesPerPixel, sourceRow, shownRowOfArea);
}

// Writes a span of the shown picture into the image, each pixel as a square of scale x scale
// device pixels: no smoothing, so blocks and text keep their edges.
void Framebuffer::enlarge(const Rect& span) {
    if (scale_ == 1)
        return;
    const int bytesPerPixel = format_->bytesPerPixel();
    const ptrdiff_t deviceLeft = static_cast<ptrdiff_t>(span.left) * scale_ * bytesPerPixel;
    const size_t deviceBytes = static_cast<size_t>(span.right - span.left) * scale_ * bytesPerPixel;
    for (int y = span.top; y < span.bottom; ++y) {
        uint8_t* first = imageRow(y * scale_) + deviceLeft;
        repeatPixels(shownRow(y) + static_cast<ptrdiff_t>(span.left) * bytesPerPixel,
                     span.right - span.left, bytesPerPixel, scale_, first);
        for (int copy = 1; copy < scale_; ++copy)
            std::memcpy(imageRow(y * scale_ + copy) + deviceLeft, first, deviceBytes);
    }
}

void Framebuffer::send(const Rect& span) {
    const int width = span.right - span.left;
    const int height = span.bottom - span.top;
    if (shared_) {
        XShmPutImage(display_, window_, gc_, image_, span.left, span.top, span.left, span.top,
                     width, height, False);
    } else {
        XPutImage(display_, window_, gc_, image_, span.left, span.top, span.left, span.top, width,
                  height);
    }
    // The server reads a shared image only when it handles the request, and the next
    // presentation must not change the image before then. Waiting also keeps a fast program
    // from queueing up pictures faster than a slow (remote) server can show them.
    XSync(display_, False);
}

}  // namespace platform::x11
