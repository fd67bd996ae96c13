// The window's picture on our side: a copy of what the window shows at the picture's own size,
// which presentations compare with, and two shared-memory buffers at the output's resolution
// that the compositor reads. A buffer is written only while the compositor has released it, and
// only where it is behind the picture; a commit damages only what changed since the last one.
// Presentation never waits for the compositor: what cannot be committed now (both buffers
// held, or the compositor not yet ready for another frame) waits in the copy and goes with the
// next commit the compositor makes room for. Every call is made with the window's lock held.
#pragma once

#include <wayland-client.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "platform/backend.h"
#include "platform/wayland/scale.h"

struct wp_viewport;

namespace platform::wayland {

class Framebuffer {
public:
    Framebuffer(wl_shm* shm, wl_surface* surface, wp_viewport* viewport);
    ~Framebuffer();
    Framebuffer(const Framebuffer&) = delete;
    Framebuffer& operator=(const Framebuffer&) = delete;

    // Makes the buffers for a picture of `picture` pixels shown as `scaling` says; false when
    // no memory could be had. A new picture size forgets what the window showed.
    bool resize(Size picture, const Scaling& scaling);
    // Takes the changed part of a width x height picture (0x00RRGGBB words, rows `stride`
    // words apart); only the part within `changed` can differ from what the window shows.
    void present(const uint32_t* pixels, int stride, int width, int height, Rect changed);

    // Whether commits may be made: the surface has its role and is configured.
    void setReady(bool ready);
    // Commits what is behind, if a buffer is free and the compositor is ready for a frame or
    // has not said so for too long (`force` commits regardless of the frame). True if it
    // committed.
    bool commit(bool force = false);
    // Whether something waits for the compositor's next frame, and how long it may wait.
    bool waiting() const { return ready_ && !behind_.empty(); }
    static constexpr int kFrameTimeoutMs = 50;

    const Scaling& scaling() const { return scaling_; }

private:
    struct Buffer {
        wl_buffer* buffer = nullptr;
        uint32_t* pixels = nullptr;
        bool held = false;  // by the compositor, until it releases it
        Rect stale;         // where it is behind the picture, in the picture's pixels
    };

    static void onRelease(void* data, wl_buffer* buffer);
    static void onFrame(void* data, wl_callback* callback, uint32_t time);
    bool makeBuffers();
    void freeBuffers();
    Buffer* freeBuffer();
    void copyInto(Buffer& buffer, const Rect& area);
    Rect toDevice(const Rect& area) const;
    void applyScaling();

    wl_shm* shm_;
    wl_surface* surface_;
    wp_viewport* viewport_;
    Size picture_;
    Scaling scaling_;
    bool scalingApplied_ = false;  // the surface has been told about scaling_
    std::vector<uint32_t> shown_;  // the picture the window shows, at the picture's size
    bool lost_ = true;             // shown_ is unknown: the next presentation compares it all
    // Where each of the picture's columns and rows starts in the buffer, one past the last too.
    std::vector<int> columnStarts_;
    std::vector<int> rowStarts_;
    Buffer buffers_[2];
    void* memory_ = nullptr;
    size_t memoryBytes_ = 0;
    Rect behind_;  // what changed since the last commit
    bool ready_ = false;
    wl_callback* frame_ = nullptr;  // the compositor's next frame, asked for at the last commit
    std::chrono::steady_clock::time_point frameAsked_;
};

}  // namespace platform::wayland
