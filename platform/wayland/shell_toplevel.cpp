// The shell's own toplevel, with the title bar the compositor draws where it offers one.
#include "platform/wayland/toplevel.h"
#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace platform::wayland {

namespace {

class ShellToplevel final : public Toplevel {
public:
    ShellToplevel(Connection& connection, wl_surface* surface, const ToplevelRequest& request,
                  ToplevelEvents events)
        : events_(std::move(events)) {
        static constexpr xdg_surface_listener kSurfaceListener = {.configure = onConfigure};
        static constexpr xdg_toplevel_listener kToplevelListener = {.configure = onResize,
                                                                    .close = onClose,
                                                                    // Events of versions not bound.
                                                                    .configure_bounds = nullptr,
                                                                    .wm_capabilities = nullptr};
        xdgSurface_ = xdg_wm_base_get_xdg_surface(connection.shell(), surface);
        xdg_surface_add_listener(xdgSurface_, &kSurfaceListener, this);
        toplevel_ = xdg_surface_get_toplevel(xdgSurface_);
        xdg_toplevel_add_listener(toplevel_, &kToplevelListener, this);
        xdg_toplevel_set_app_id(toplevel_, kAppId);
        setCaption(request.caption);
        setSize(request.size);
        if (connection.decorations() != nullptr) {
            static constexpr zxdg_toplevel_decoration_v1_listener kDecorationListener = {
                .configure = onDecorationMode};
            decoration_ = zxdg_decoration_manager_v1_get_toplevel_decoration(
                connection.decorations(), toplevel_);
            zxdg_toplevel_decoration_v1_add_listener(decoration_, &kDecorationListener, this);
            // Client-side decorations are the ones we draw, which for an undecorated window
            // are none.
            zxdg_toplevel_decoration_v1_set_mode(
                decoration_, request.undecorated ? ZXDG_TOPLEVEL_DECORATION_V1_MODE_CLIENT_SIDE
                                                 : ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE);
            wantsTitleBar_ = !request.undecorated;
        }
        // The first commit, without a buffer, asks the compositor to configure the surface.
        wl_surface_commit(surface);
    }

    ~ShellToplevel() override {
        if (decoration_ != nullptr)
            zxdg_toplevel_decoration_v1_destroy(decoration_);
        xdg_toplevel_destroy(toplevel_);
        xdg_surface_destroy(xdgSurface_);
    }

    void setCaption(const std::string& utf8) override {
        xdg_toplevel_set_title(toplevel_, utf8.c_str());
    }

    void setSize(Size size) override {
        xdg_toplevel_set_min_size(toplevel_, size.width, size.height);
        xdg_toplevel_set_max_size(toplevel_, size.width, size.height);
    }

private:
    static void onConfigure(void* data, xdg_surface* surface, uint32_t serial) {
        xdg_surface_ack_configure(surface, serial);
        static_cast<ShellToplevel*>(data)->events_.configured();
    }

    // The window keeps its size whatever the compositor suggests.
    static void onResize(void*, xdg_toplevel*, int32_t, int32_t, wl_array*) {}

    static void onClose(void* data, xdg_toplevel*) {
        static_cast<ShellToplevel*>(data)->events_.closeRequested();
    }

    static void onDecorationMode(void* data, zxdg_toplevel_decoration_v1*, uint32_t mode) {
        const auto& self = *static_cast<ShellToplevel*>(data);
        if (self.wantsTitleBar_ && mode != ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE)
            warnOfNoTitleBar("the Wayland compositor would not draw one");
    }

    ToplevelEvents events_;
    xdg_surface* xdgSurface_ = nullptr;
    xdg_toplevel* toplevel_ = nullptr;
    zxdg_toplevel_decoration_v1* decoration_ = nullptr;
    bool wantsTitleBar_ = false;
};

}  // namespace

std::unique_ptr<Toplevel> makeShellToplevel(Connection& connection, wl_surface* surface,
                                            const ToplevelRequest& request, ToplevelEvents events) {
    return std::make_unique<ShellToplevel>(connection, surface, request, std::move(events));
}

}  // namespace platform::wayland
