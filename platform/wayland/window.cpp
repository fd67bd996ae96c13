#include "platform/wayland/window.h"

#include <wayland-cursor.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "fractional-scale-v1-client-protocol.h"
#include "platform/gbk.h"
#include "platform/messages.h"
#include "viewporter-client-protocol.h"

namespace platform::wayland {

namespace {

Size atLeastOnePixel(Size size) {
    return {std::max(size.width, 1), std::max(size.height, 1)};
}

// A window whose compositor is gone can do nothing more; the program ends as it does when the
// X server goes away.
[[noreturn]] void endForLostConnection(const Connection& connection) {
    std::fprintf(stderr, "Trivanta: %s\n", connection.failure().c_str());
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

}  // namespace

std::unique_ptr<WaylandWindow> WaylandWindow::create(std::unique_ptr<Connection> connection,
                                                     const WindowRequest& wanted,
                                                     std::string& error) {
    std::unique_ptr<WaylandWindow> window(new WaylandWindow(std::move(connection), wanted));
    if (!window->complete_) {
        error = "cannot make the window: the system is out of memory or file descriptors";
        return nullptr;
    }
    return window;
}

WaylandWindow::WaylandWindow(std::unique_ptr<Connection> connection, const WindowRequest& wanted)
    : connection_(std::move(connection)),
      caption_(gbkToUtf8(wanted.caption)),
      undecorated_(wanted.borderless),
      picture_(atLeastOnePixel({wanted.width, wanted.height})),
      forcedScale_(forcedScale(std::getenv("TRIVANTA_SCALE"))) {
    const std::lock_guard lock(lock_);
    createSurface();
    complete_ = pump_.usable() && rescale();
    connection_->watchSeat([this](uint32_t capabilities) { watchSeat(capabilities); });
    connection_->watchOutputs([this] { rescale(); });
    sendRequests();
}

WaylandWindow::~WaylandWindow() {
    const std::lock_guard lock(lock_);
    dropToplevel();
    framebuffer_.reset();
    if (cursorTheme_ != nullptr)
        wl_cursor_theme_destroy(cursorTheme_);
    // Disconnecting frees everything else the compositor made for us.
}

void WaylandWindow::createSurface() {
    static constexpr wl_surface_listener kSurfaceListener = {.enter = onSurfaceEnter,
                                                             .leave = onSurfaceLeave};
    surface_ = wl_compositor_create_surface(connection_->compositor());
    wl_surface_add_listener(surface_, &kSurfaceListener, this);
    if (connection_->viewporter() != nullptr) {
        viewport_ = wp_viewporter_get_viewport(connection_->viewporter(), surface_);
        if (connection_->fractionalScales() != nullptr) {
            static constexpr wp_fractional_scale_v1_listener kScaleListener = {
                .preferred_scale = onPreferredScale};
            fractionalScale_ = wp_fractional_scale_manager_v1_get_fractional_scale(
                connection_->fractionalScales(), surface_);
            wp_fractional_scale_v1_add_listener(fractionalScale_, &kScaleListener, this);
        }
    }
    framebuffer_ = std::make_unique<Framebuffer>(connection_->shm(), surface_, viewport_);
}

// Chooses how the picture is shown and remakes the buffers when that changed; false when no
// memory could be had.
bool WaylandWindow::rescale() {
    if (framebuffer_ == nullptr)
        return false;
    const Scaling scaling = chooseScaling(picture_, scaleInputs());
    const Scaling before = framebuffer_->scaling();
    if (!framebuffer_->resize(picture_, scaling))
        return false;
    if (toplevel_ != nullptr && !sameSize(scaling.surface, before.surface))
        toplevel_->setSize(scaling.surface);
    framebuffer_->commit(true);
    sendRequests();
    return true;
}

ScaleInputs WaylandWindow::scaleInputs() const {
    ScaleInputs inputs;
    inputs.forced = forcedScale_;
    inputs.preferred120 = preferred120_;
    inputs.viewports = viewport_ != nullptr;
    int entered = 0;
    for (const wl_output* output : outputsEntered_)
        entered = std::max(entered, connection_->scaleOf(output));
    // Before the surface is on an output, the largest of them is the best guess.
    inputs.outputScale = entered > 0 ? entered : connection_->largestScale();
    for (const auto& output : connection_->outputs()) {
        inputs.room = {std::max(inputs.room.width, output->mode.width),
                       std::max(inputs.room.height, output->mode.height)};
    }
    return inputs;
}

void WaylandWindow::onSurfaceEnter(void* data, wl_surface*, wl_output* output) {
    auto& self = *static_cast<WaylandWindow*>(data);
    self.outputsEntered_.push_back(output);
    self.rescale();
}

void WaylandWindow::onSurfaceLeave(void* data, wl_surface*, wl_output* output) {
    auto& self = *static_cast<WaylandWindow*>(data);
    std::erase(self.outputsEntered_, output);
    self.rescale();
}

void WaylandWindow::onPreferredScale(void* data, wp_fractional_scale_v1*, uint32_t scale120) {
    auto& self = *static_cast<WaylandWindow*>(data);
    self.preferred120_ = static_cast<int>(scale120);
    self.rescale();
}

void WaylandWindow::makeToplevel() {
    ToplevelRequest request{caption_, framebuffer_->scaling().surface, undecorated_};
    ToplevelEvents events;
    events.configured = [this] {
        if (!configured_) {
            configured_ = true;
            framebuffer_->setReady(true);
        }
        commitSurface();
    };
    events.closeRequested = [this] { pump_.queue({msg::kClose, 0, 0}); };
    events.commitRequested = [this] { commitSurface(); };
    configured_ = false;
    toplevel_ = platform::wayland::makeToplevel(*connection_, surface_, request, std::move(events));
}

// Unmaps the surface and takes its role, so that it can have it again when shown.
void WaylandWindow::dropToplevel() {
    if (toplevel_ == nullptr)
        return;
    framebuffer_->setReady(false);
    wl_surface_attach(surface_, nullptr, 0, 0);
    wl_surface_commit(surface_);
    toplevel_.reset();
    configured_ = false;
}

// Commits what the buffers are behind, or at least what the title bar or the compositor's
// configure changed.
void WaylandWindow::commitSurface() {
    if (!framebuffer_->commit(true))
        wl_surface_commit(surface_);
    sendRequests();
}

// Sends what waits in the connection's buffer; when the socket is full the window thread sends
// the rest before it next sleeps. A deferred frame gets a timer that commits it when the
// compositor does not ask for it in time; the timer stops once nothing waits.
void WaylandWindow::sendRequests() {
    const bool waiting = framebuffer_ != nullptr && framebuffer_->waiting();
    if (waiting != frameTimerArmed_) {
        if (waiting) {
            pump_.setTimer(kFrameTimerId, Framebuffer::kFrameTimeoutMs);
        } else {
            pump_.killTimer(kFrameTimerId);
        }
        frameTimerArmed_ = waiting;
    }
    wl_display_flush(connection_->display());
}

Message WaylandWindow::nextMessage() {
    wl_display* display = connection_->display();
    for (;;) {
        {
            const std::lock_guard lock(lock_);
            while (wl_display_prepare_read(display) != 0)
                dispatchEvents();
        }
        if (const std::optional<Message> message = pump_.take()) {
            wl_display_cancel_read(display);
            if (message->message == msg::kTimer &&
                (message->wparam == kRepeatTimerId || message->wparam == kFrameTimerId)) {
                onOwnTimer(message->wparam);
                continue;
            }
            return *message;
        }
        if (wl_display_flush(display) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(display);
            endForLostConnection(*connection_);
        }
        pump_.wait(wl_display_get_fd(display));
        // Reading does not block: it takes what the socket has, if anything.
        if (wl_display_read_events(display) < 0)
            endForLostConnection(*connection_);
    }
}

// Called with lock_ held.
void WaylandWindow::dispatchEvents() {
    if (wl_display_dispatch_pending(connection_->display()) < 0)
        endForLostConnection(*connection_);
}

void WaylandWindow::onOwnTimer(uintptr_t id) {
    const std::lock_guard lock(lock_);
    if (destroyed_)
        return;
    if (id == kRepeatTimerId) {
        onRepeatTick();
        return;
    }
    framebuffer_->commit(true);
    sendRequests();
}

void WaylandWindow::postMessage(const Message& message) {
    pump_.post(message);
}

void WaylandWindow::setTimer(uintptr_t id, int intervalMs) {
    pump_.setTimer(id, intervalMs);
}

void WaylandWindow::killTimer(uintptr_t id) {
    pump_.killTimer(id);
}

void WaylandWindow::show(bool visible) {
    const std::lock_guard lock(lock_);
    if (destroyed_ || visible == shown_)
        return;
    shown_ = visible;
    if (visible) {
        makeToplevel();
    } else {
        dropToplevel();
    }
    sendRequests();
}

bool WaylandWindow::visible() {
    return shown_;
}

void WaylandWindow::setCaption(const char* gbk) {
    std::string utf8 = gbkToUtf8(gbk);
    const std::lock_guard lock(lock_);
    if (destroyed_)
        return;
    caption_ = std::move(utf8);
    if (toplevel_ != nullptr)
        toplevel_->setCaption(caption_);
    sendRequests();
}

Size WaylandWindow::clientSize() {
    const std::lock_guard lock(lock_);
    return picture_;
}

void WaylandWindow::setClientSize(Size size) {
    size = atLeastOnePixel(size);
    const std::lock_guard lock(lock_);
    if (destroyed_)
        return;
    picture_ = size;
    rescale();
}

void WaylandWindow::destroy() {
    {
        const std::lock_guard lock(lock_);
        if (destroyed_)
            return;
        stopRepeat();
        dropToplevel();
        shown_ = false;
        destroyed_ = true;
        sendRequests();
    }
    pump_.queue({msg::kDestroy, 0, 0});
}

void WaylandWindow::present(const uint32_t* pixels, int stride, int width, int height,
                            Rect changed) {
    const std::lock_guard lock(lock_);
    if (destroyed_)
        return;
    framebuffer_->present(pixels, stride, width, height, changed);
    sendRequests();
}

void WaylandWindow::setCursor(Cursor cursor) {
    const std::lock_guard lock(lock_);
    if (destroyed_ || cursor == cursor_)
        return;
    cursor_ = cursor;
    if (pointerIn_)
        applyCursor();
    sendRequests();
}

bool WaylandWindow::pointerInClient() {
    const std::lock_guard lock(lock_);
    const Size surface = framebuffer_->scaling().surface;
    return pointerIn_ && pointerX_ >= 0 && pointerY_ >= 0 && pointerX_ < surface.width &&
           pointerY_ < surface.height;
}

// While a button is held the compositor keeps sending the pointer's events to the window
// anyway.
void WaylandWindow::captureMouse(bool) {}

// Windows on Wayland do not know where they are on the screen: screen positions are the
// client area's own (mouse wheel messages give the pointer's position in the window).
Point WaylandWindow::screenToClient(Point screen) {
    return screen;
}

bool WaylandWindow::keyHeld(int virtualKey) {
    const std::lock_guard lock(lock_);
    switch (virtualKey) {
        case vk::kLeftButton:
            return (buttons_ & msg::kLeftButtonBit) != 0;
        case vk::kRightButton:
            return (buttons_ & msg::kRightButtonBit) != 0;
        case vk::kMiddleButton:
            return (buttons_ & msg::kMiddleButtonBit) != 0;
        default:
            return keys_.held(virtualKey);
    }
}

}  // namespace platform::wayland
