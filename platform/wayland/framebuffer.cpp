#include "platform/wayland/framebuffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/changed_rows.h"
#include "viewporter-client-protocol.h"

namespace platform::wayland {

namespace {

constexpr int kBytesPerPixel = 4;
// The unused top byte of a buffer's pixels, set: screenshots of the output may take it for the
// pixel's opacity.
constexpr uint32_t kOpaque = 0xFF000000;

// Where each of `count` pixels starts among `deviceLength` device pixels, and one past the end:
// the device pixels are shared out evenly, so that at a whole-number scale each pixel gets the
// same number.
std::vector<int> startsOf(int count, int deviceLength) {
    std::vector<int> starts(static_cast<size_t>(count) + 1);
    for (int i = 0; i <= count; ++i)
        starts[i] = static_cast<int>(int64_t{i} * deviceLength / count);
    return starts;
}

int64_t areaOf(const Rect& rect) {
    return int64_t{rect.width()} * rect.height();
}

}  // namespace

Framebuffer::Framebuffer(wl_shm* shm, wl_surface* surface, wp_viewport* viewport)
    : shm_(shm), surface_(surface), viewport_(viewport) {}

Framebuffer::~Framebuffer() {
    freeBuffers();
    if (frame_ != nullptr)
        wl_callback_destroy(frame_);
}

bool Framebuffer::resize(Size picture, const Scaling& scaling) {
    if (memory_ != nullptr && sameSize(picture, picture_) && sameScaling(scaling, scaling_))
        return true;
    if (!sameSize(picture, picture_)) {
        shown_.assign(static_cast<size_t>(picture.width) * picture.height, 0);
        lost_ = true;
    }
    picture_ = picture;
    scaling_ = scaling;
    scalingApplied_ = false;
    columnStarts_ = startsOf(picture.width, scaling.buffer.width);
    rowStarts_ = startsOf(picture.height, scaling.buffer.height);
    freeBuffers();
    return makeBuffers();
}

bool Framebuffer::makeBuffers() {
    const Size device = scaling_.buffer;
    const size_t bufferBytes = static_cast<size_t>(device.width) * device.height * kBytesPerPixel;
    const int fd = memfd_create("trivanta-window", MFD_CLOEXEC);
    if (fd < 0)
        return false;
    memoryBytes_ = 2 * bufferBytes;
    if (ftruncate(fd, static_cast<off_t>(memoryBytes_)) != 0) {
        close(fd);
        return false;
    }
    void* memory = mmap(nullptr, memoryBytes_, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory == MAP_FAILED) {
        close(fd);
        return false;
    }
    memory_ = memory;
    // The compositor gets a descriptor of its own when the request goes out.
    wl_shm_pool* pool = wl_shm_create_pool(shm_, fd, static_cast<int32_t>(memoryBytes_));
    close(fd);
    static constexpr wl_buffer_listener kBufferListener = {.release = onRelease};
    const Rect whole{0, 0, picture_.width, picture_.height};
    for (int i = 0; i < 2; ++i) {
        Buffer& buffer = buffers_[i];
        buffer.buffer = wl_shm_pool_create_buffer(
            pool, static_cast<int32_t>(i * bufferBytes), device.width, device.height,
            device.width * kBytesPerPixel, WL_SHM_FORMAT_XRGB8888);
        wl_buffer_add_listener(buffer.buffer, &kBufferListener, this);
        buffer.pixels = reinterpret_cast<uint32_t*>(static_cast<char*>(memory_) + i * bufferBytes);
        buffer.held = false;
        buffer.stale = whole;
    }
    wl_shm_pool_destroy(pool);
    behind_ = whole;
    return true;
}

void Framebuffer::freeBuffers() {
    for (Buffer& buffer : buffers_) {
        // The compositor keeps what it has already shown of a buffer destroyed while it holds
        // it.
        if (buffer.buffer != nullptr)
            wl_buffer_destroy(buffer.buffer);
        buffer = Buffer{};
    }
    if (memory_ != nullptr)
        munmap(memory_, memoryBytes_);
    memory_ = nullptr;
}

void Framebuffer::onRelease(void* data, wl_buffer* released) {
    auto& self = *static_cast<Framebuffer*>(data);
    for (Buffer& buffer : self.buffers_) {
        if (buffer.buffer == released)
            buffer.held = false;
    }
    self.commit();
}

void Framebuffer::onFrame(void* data, wl_callback* callback, uint32_t) {
    auto& self = *static_cast<Framebuffer*>(data);
    wl_callback_destroy(callback);
    self.frame_ = nullptr;
    self.commit();
}

void Framebuffer::present(const uint32_t* pixels, int stride, int width, int height, Rect hint) {
    if (memory_ == nullptr)
        return;
    width = std::clamp(width, 0, picture_.width);
    height = std::clamp(height, 0, picture_.height);
    // After the shown picture was lost the whole picture is compared, as nothing is known.
    const Rect area =
        lost_ ? Rect{0, 0, width, height} : intersect(hint, Rect{0, 0, width, height});
    lost_ = false;
    const auto sourceRow = [&](int y) {
        return reinterpret_cast<const uint8_t*>(pixels + static_cast<ptrdiff_t>(y) * stride +
                                                area.left);
    };
    const auto shownRow = [&](int y) {
        return reinterpret_cast<uint8_t*>(shown_.data() +
                                          static_cast<ptrdiff_t>(y) * picture_.width + area.left);
    };
    const Rect changed = copyChangedRows(area, kBytesPerPixel, sourceRow, shownRow);
    if (changed.empty())
        return;
    for (Buffer& buffer : buffers_)
        buffer.stale = unite(buffer.stale, changed);
    behind_ = unite(behind_, changed);
    commit();
}

void Framebuffer::setReady(bool ready) {
    ready_ = ready;
    if (frame_ != nullptr) {
        wl_callback_destroy(frame_);
        frame_ = nullptr;
    }
    // A surface that gets its role again shows nothing until a buffer is committed whole.
    if (ready)
        behind_ = Rect{0, 0, picture_.width, picture_.height};
}

bool Framebuffer::commit(bool force) {
    if (!ready_ || memory_ == nullptr || behind_.empty())
        return false;
    const auto now = std::chrono::steady_clock::now();
    // Compositors stop answering frame requests of hidden windows; the picture still moves on.
    const bool frameDue = force || frame_ == nullptr ||
                          now - frameAsked_ >= std::chrono::milliseconds(kFrameTimeoutMs);
    Buffer* buffer = frameDue ? freeBuffer() : nullptr;
    if (buffer == nullptr)
        return false;
    copyInto(*buffer, buffer->stale);
    buffer->stale = Rect{};
    applyScaling();
    wl_surface_attach(surface_, buffer->buffer, 0, 0);
    const Rect damage = toDevice(behind_);
    wl_surface_damage_buffer(surface_, damage.left, damage.top, damage.width(), damage.height());
    if (frame_ != nullptr)
        wl_callback_destroy(frame_);
    static constexpr wl_callback_listener kFrameListener = {.done = onFrame};
    frame_ = wl_surface_frame(surface_);
    wl_callback_add_listener(frame_, &kFrameListener, this);
    frameAsked_ = now;
    wl_surface_commit(surface_);
    buffer->held = true;
    behind_ = Rect{};
    return true;
}

// The free buffer that is least behind, if one is free.
Framebuffer::Buffer* Framebuffer::freeBuffer() {
    Buffer* best = nullptr;
    for (Buffer& buffer : buffers_) {
        if (!buffer.held && (best == nullptr || areaOf(buffer.stale) < areaOf(best->stale)))
            best = &buffer;
    }
    return best;
}

// Writes an area of the shown picture into a buffer, each pixel as its block of device pixels:
// no smoothing, so blocks and text keep their edges.
void Framebuffer::copyInto(Buffer& buffer, const Rect& area) {
    if (area.empty())
        return;
    const int deviceWidth = scaling_.buffer.width;
    const int deviceLeft = columnStarts_[area.left];
    const size_t spanBytes =
        static_cast<size_t>(columnStarts_[area.right] - deviceLeft) * kBytesPerPixel;
    for (int y = area.top; y < area.bottom; ++y) {
        const uint32_t* source = shown_.data() + static_cast<ptrdiff_t>(y) * picture_.width;
        uint32_t* first = buffer.pixels + static_cast<ptrdiff_t>(rowStarts_[y]) * deviceWidth;
        for (int x = area.left; x < area.right; ++x)
            std::fill(first + columnStarts_[x], first + columnStarts_[x + 1], source[x] | kOpaque);
        for (int row = rowStarts_[y] + 1; row < rowStarts_[y + 1]; ++row) {
            std::memcpy(buffer.pixels + static_cast<ptrdiff_t>(row) * deviceWidth + deviceLeft,
                        first + deviceLeft, spanBytes);
        }
    }
}

Rect Framebuffer::toDevice(const Rect& area) const {
    return {columnStarts_[area.left], rowStarts_[area.top], columnStarts_[area.right],
            rowStarts_[area.bottom]};
}

// The surface learns of a new scaling in the commit that brings the buffer made for it.
void Framebuffer::applyScaling() {
    if (scalingApplied_)
        return;
    wl_surface_set_buffer_scale(surface_, scaling_.bufferScale);
    if (viewport_ != nullptr) {
        if (scaling_.viewport) {
            wp_viewport_set_destination(viewport_, scaling_.surface.width, scaling_.surface.height);
        } else {
            wp_viewport_set_destination(viewport_, -1, -1);
        }
    }
    scalingApplied_ = true;
}

}  // namespace platform::wayland
