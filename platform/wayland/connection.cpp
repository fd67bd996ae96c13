#include "platform/wayland/connection.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "fractional-scale-v1-client-protocol.h"
#include "viewporter-client-protocol.h"
#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace platform::wayland {

namespace {

// The versions the window is written for; a compositor offering more still gets these.
constexpr uint32_t kCompositorVersion = 4;  // damage in buffer pixels
constexpr uint32_t kSeatVersion = 5;        // wheel clicks, key repeat settings
constexpr uint32_t kOutputVersion = 2;      // scale

template <typename Proxy>
Proxy* bind(wl_registry* registry, uint32_t name, const wl_interface& interface, uint32_t offered,
            uint32_t wanted) {
    return static_cast<Proxy*>(
        wl_registry_bind(registry, name, &interface, std::min(offered, wanted)));
}

void answerPing(void*, xdg_wm_base* shell, uint32_t serial) {
    xdg_wm_base_pong(shell, serial);
}

constexpr xdg_wm_base_listener kShellListener = {.ping = answerPing};

void markDone(void* data, wl_callback* callback, uint32_t) {
    *static_cast<bool*>(data) = true;
    wl_callback_destroy(callback);
}

constexpr wl_callback_listener kSyncListener = {.done = markDone};

void ignoreSeatName(void*, wl_seat*, const char*) {}
void ignoreGeometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
                    const char*, int32_t) {}

std::string displayName() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    return name != nullptr ? name : "wayland-0";
}

// Whether there is anywhere to look for a compositor: a socket handed down, an absolute path, or
// the session's runtime folder for a socket name. Without one the library would only complain.
bool compositorNamed() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    return std::getenv("WAYLAND_SOCKET") != nullptr || (name != nullptr && name[0] == '/') ||
           std::getenv("XDG_RUNTIME_DIR") != nullptr;
}

}  // namespace

std::unique_ptr<Connection> Connection::open(int timeoutMs, std::string& error) {
    wl_display* display = compositorNamed() ? wl_display_connect(nullptr) : nullptr;
    if (display == nullptr) {
        error = kNoCompositor;
        return nullptr;
    }
    std::unique_ptr<Connection> connection(new Connection(display));
    // Something that is no compositor may accept the connection and never answer, or answer
    // nonsense: both count as no compositor.
    if (!connection->roundtrip(timeoutMs) || !connection->roundtrip(timeoutMs)) {
        error = std::string(kNoCompositor) + ": \"" + displayName() + "\" does not answer as one";
        return nullptr;
    }
    if (connection->compositor_ == nullptr || connection->shm_ == nullptr ||
        connection->shell_ == nullptr) {
        error = "the Wayland compositor \"" + displayName() +
                "\" offers no desktop windows (wl_compositor 4, wl_shm and xdg_wm_base)";
        return nullptr;
    }
    return connection;
}

Connection::Connection(wl_display* display) : display_(display) {
    static constexpr wl_registry_listener kRegistryListener = {.global = onGlobal,
                                                               .global_remove = onGlobalRemoved};
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &kRegistryListener, this);
}

Connection::~Connection() {
    // Disconnecting frees everything the compositor made for us.
    wl_display_disconnect(display_);
}

void Connection::onGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
                          uint32_t version) {
    auto& self = *static_cast<Connection*>(data);
    const std::string_view offered = interface;
    if (offered == wl_compositor_interface.name && version >= kCompositorVersion) {
        self.compositor_ = bind<wl_compositor>(registry, name, wl_compositor_interface, version,
                                               kCompositorVersion);
    } else if (offered == wl_shm_interface.name) {
        self.shm_ = bind<wl_shm>(registry, name, wl_shm_interface, version, 1);
    } else if (offered == xdg_wm_base_interface.name) {
        self.shell_ = bind<xdg_wm_base>(registry, name, xdg_wm_base_interface, version, 1);
        xdg_wm_base_add_listener(self.shell_, &kShellListener, nullptr);
    } else if (offered == wl_seat_interface.name && self.seat_ == nullptr) {
        // The first seat is the player's; a second one is rare and would only add confusion.
        static constexpr wl_seat_listener kSeatListener = {.capabilities = onSeatCapabilities,
                                                           .name = ignoreSeatName};
        self.seat_ = bind<wl_seat>(registry, name, wl_seat_interface, version, kSeatVersion);
        wl_seat_add_listener(self.seat_, &kSeatListener, &self);
    } else if (offered == wl_output_interface.name) {
        self.addOutput(name, version);
    } else if (offered == zxdg_decoration_manager_v1_interface.name) {
        self.decorations_ = bind<zxdg_decoration_manager_v1>(
            registry, name, zxdg_decoration_manager_v1_interface, version, 1);
    } else if (offered == wp_viewporter_interface.name) {
        self.viewporter_ = bind<wp_viewporter>(registry, name, wp_viewporter_interface, version, 1);
    } else if (offered == wp_fractional_scale_manager_v1_interface.name) {
        self.fractionalScales_ = bind<wp_fractional_scale_manager_v1>(
            registry, name, wp_fractional_scale_manager_v1_interface, version, 1);
    }
}

void Connection::addOutput(uint32_t name, uint32_t version) {
    static constexpr wl_output_listener kOutputListener = {.geometry = ignoreGeometry,
                                                           .mode = onOutputMode,
                                                           .done = onOutputDone,
                                                           .scale = onOutputScale,
                                                           // Events of versions not bound.
                                                           .name = nullptr,
                                                           .description = nullptr};
    auto output = std::make_unique<Output>();
    output->name = name;
    output->owner = this;
    output->output = bind<wl_output>(registry_, name, wl_output_interface, version, kOutputVersion);
    wl_output_add_listener(output->output, &kOutputListener, output.get());
    outputs_.push_back(std::move(output));
}

void Connection::onGlobalRemoved(void* data, wl_registry*, uint32_t name) {
    auto& self = *static_cast<Connection*>(data);
    const auto gone = std::find_if(self.outputs_.begin(), self.outputs_.end(),
                                   [name](const auto& output) { return output->name == name; });
    if (gone == self.outputs_.end())
        return;
    wl_output_destroy((*gone)->output);
    self.outputs_.erase(gone);
    if (self.outputWatcher_)
        self.outputWatcher_();
}

void Connection::onSeatCapabilities(void* data, wl_seat*, uint32_t capabilities) {
    auto& self = *static_cast<Connection*>(data);
    self.seatCapabilities_ = capabilities;
    if (self.seatWatcher_)
        self.seatWatcher_(capabilities);
}

void Connection::watchSeat(std::function<void(uint32_t capabilities)> watcher) {
    seatWatcher_ = std::move(watcher);
    seatWatcher_(seatCapabilities_);
}

void Connection::onOutputScale(void* data, wl_output*, int32_t factor) {
    static_cast<Output*>(data)->scale = std::max(factor, 1);
}

void Connection::onOutputMode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height,
                              int32_t) {
    if ((flags & WL_OUTPUT_MODE_CURRENT) != 0)
        static_cast<Output*>(data)->mode = {width, height};
}

// An output's changes come as a series of events closed by this one.
void Connection::onOutputDone(void* data, wl_output*) {
    const Connection& self = *static_cast<Output*>(data)->owner;
    if (self.outputWatcher_)
        self.outputWatcher_();
}

int Connection::scaleOf(const wl_output* output) const {
    for (const auto& known : outputs_) {
        if (known->output == output)
            return known->scale;
    }
    return 1;
}

int Connection::largestScale() const {
    int largest = 1;
    for (const auto& output : outputs_)
        largest = std::max(largest, output->scale);
    return largest;
}

bool Connection::roundtrip(int timeoutMs) {
    bool done = false;
    wl_callback* sync = wl_display_sync(display_);
    wl_callback_add_listener(sync, &kSyncListener, &done);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done && !failed()) {
        while (wl_display_prepare_read(display_) != 0)
            wl_display_dispatch_pending(display_);
        if (wl_display_flush(display_) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(display_);
            break;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd socket{wl_display_get_fd(display_), POLLIN, 0};
        const int ready = left.count() > 0 ? poll(&socket, 1, static_cast<int>(left.count())) : 0;
        if (ready <= 0 && !(ready < 0 && errno == EINTR)) {
            wl_display_cancel_read(display_);
            break;
        }
        if (ready > 0) {
            wl_display_read_events(display_);
        } else {
            wl_display_cancel_read(display_);
        }
        wl_display_dispatch_pending(display_);
    }
    if (!done) {
        // The answer may still come, and must not reach a flag that is gone by then.
        thread_local bool lateAnswer = false;
        wl_callback_set_user_data(sync, &lateAnswer);
    }
    return done;
}

std::string Connection::failure() const {
    const int error = wl_display_get_error(display_);
    if (error == EPROTO) {
        const wl_interface* interface = nullptr;
        uint32_t id = 0;
        const uint32_t code = wl_display_get_protocol_error(display_, &interface, &id);
        return "the Wayland compositor \"" + displayName() + "\" ended the connection: error " +
               std::to_string(code) + " in " + (interface != nullptr ? interface->name : "?");
    }
    return "lost the connection to the Wayland compositor \"" + displayName() +
           "\": " + std::strerror(error);
}

}  // namespace platform::wayland
