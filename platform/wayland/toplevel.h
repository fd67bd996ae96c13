// The window's place on the desktop: the surface's role as a toplevel window of fixed size,
// with its caption, the desktop entry it belongs to and a title bar. The compositor draws the
// title bar where it offers to (xdg-decoration); elsewhere libdecor draws one on our side; with
// neither the window has none, and the player is told once. Everything here runs with the
// window's lock held; the events come while the window thread dispatches.
#pragma once

#include <wayland-client.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/backend.h"
#include "platform/wayland/connection.h"

namespace platform::wayland {

// The name of the desktop entry, packaging/trivanta.desktop.in, so that the desktop shows
// the game's icon for the window.
inline constexpr const char* kAppId = "trivanta";

struct ToplevelEvents {
    // The compositor has configured the surface: it may show a buffer now.
    std::function<void()> configured;
    // The player asked to close the window.
    std::function<void()> closeRequested;
    // The title bar changed the window and wants the surface committed.
    std::function<void()> commitRequested;
};

struct ToplevelRequest {
    std::string caption;  // UTF-8
    Size size;            // in the compositor's units
    bool undecorated = false;
};

class Toplevel {
public:
    virtual ~Toplevel() = default;
    virtual void setCaption(const std::string& utf8) = 0;
    // The window's size, which the player cannot change.
    virtual void setSize(Size size) = 0;
};

// Gives the surface its role, with the best title bar the desktop allows.
std::unique_ptr<Toplevel> makeToplevel(Connection& connection, wl_surface* surface,
                                       const ToplevelRequest& request, ToplevelEvents events);

// The two ways: the shell's own toplevel (decorated by the compositor, if at all), and
// libdecor's frame, null when libdecor cannot start.
std::unique_ptr<Toplevel> makeShellToplevel(Connection& connection, wl_surface* surface,
                                            const ToplevelRequest& request, ToplevelEvents events);
std::unique_ptr<Toplevel> makeFramedToplevel(Connection& connection, wl_surface* surface,
                                             const ToplevelRequest& request, ToplevelEvents events);

// Says once per process that the window has no title bar.
void warnOfNoTitleBar(const char* why);

}  // namespace platform::wayland
