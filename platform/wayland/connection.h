// A connection to the Wayland compositor and the globals it offers: the surfaces, shared-memory
// buffers, the shell, the seat's input devices, the outputs and the optional extensions the
// window uses where they are there (server-side decorations, viewports, fractional scales).
#pragma once

#include <wayland-client.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"

struct xdg_wm_base;
struct zxdg_decoration_manager_v1;
struct wp_viewporter;
struct wp_fractional_scale_manager_v1;

namespace platform::wayland {

class Connection;

// One output (monitor) as the compositor describes it.
struct Output {
    Connection* owner = nullptr;
    wl_output* output = nullptr;
    uint32_t name = 0;  // the global's number
    int scale = 1;      // device pixels per surface unit, each way
    Size mode;          // the current mode, in device pixels
};

class Connection {
public:
    // Connects to the compositor WAYLAND_DISPLAY names (or its default socket) and learns its
    // globals, waiting at most `timeoutMs` for its answer; null when nothing usable answers,
    // with why in `error`.
    static std::unique_ptr<Connection> open(int timeoutMs, std::string& error);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    wl_display* display() const { return display_; }
    wl_compositor* compositor() const { return compositor_; }
    wl_shm* shm() const { return shm_; }
    xdg_wm_base* shell() const { return shell_; }
    wl_seat* seat() const { return seat_; }
    // Null where the compositor lacks them.
    zxdg_decoration_manager_v1* decorations() const { return decorations_; }
    wp_viewporter* viewporter() const { return viewporter_; }
    wp_fractional_scale_manager_v1* fractionalScales() const { return fractionalScales_; }

    const std::vector<std::unique_ptr<Output>>& outputs() const { return outputs_; }
    // The scale of an output, 1 for one that is gone.
    int scaleOf(const wl_output* output) const;
    // The largest scale of any output, the best guess before a surface is shown on one.
    int largestScale() const;

    // Called (on the dispatching thread) with the seat's capabilities whenever they change,
    // and at once with the current ones.
    void watchSeat(std::function<void(uint32_t capabilities)> watcher);
    // Called (on the dispatching thread) when outputs have changed or gone.
    void watchOutputs(std::function<void()> watcher) { outputWatcher_ = std::move(watcher); }

    // Sends what is buffered and handles everything the compositor has answered by then,
    // waiting at most `timeoutMs`; false when it did not answer in time or the connection
    // failed (see failed()).
    bool roundtrip(int timeoutMs);
    // Whether the connection has broken: the compositor went away or reported a protocol
    // error.
    bool failed() const { return wl_display_get_error(display_) != 0; }
    // What to tell the user about a broken connection.
    std::string failure() const;

private:
    explicit Connection(wl_display* display);
    static void onGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
                         uint32_t version);
    static void onGlobalRemoved(void* data, wl_registry* registry, uint32_t name);
    static void onSeatCapabilities(void* data, wl_seat* seat, uint32_t capabilities);
    static void onOutputScale(void* data, wl_output* output, int32_t factor);
    static void onOutputMode(void* data, wl_output* output, uint32_t flags, int32_t width,
                             int32_t height, int32_t refresh);
    static void onOutputDone(void* data, wl_output* output);
    void addOutput(uint32_t name, uint32_t version);

    wl_display* display_;
    wl_registry* registry_ = nullptr;
    wl_compositor* compositor_ = nullptr;
    wl_shm* shm_ = nullptr;
    xdg_wm_base* shell_ = nullptr;
    wl_seat* seat_ = nullptr;
    uint32_t seatCapabilities_ = 0;
    zxdg_decoration_manager_v1* decorations_ = nullptr;
    wp_viewporter* viewporter_ = nullptr;
    wp_fractional_scale_manager_v1* fractionalScales_ = nullptr;
    std::vector<std::unique_ptr<Output>> outputs_;
    std::function<void(uint32_t)> seatWatcher_;
    std::function<void()> outputWatcher_;
};

// How long a compositor may take to answer before it counts as none.
inline constexpr int kAnswerTimeoutMs = 5000;

// What to tell the user when no compositor answers.
inline constexpr const char* kNoCompositor = "no Wayland compositor (WAYLAND_DISPLAY)";

}  // namespace platform::wayland
