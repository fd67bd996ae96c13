#include "platform/wayland/toplevel.h"

#include <cstdio>

namespace platform::wayland {

std::unique_ptr<Toplevel> makeToplevel(Connection& connection, wl_surface* surface,
                                       const ToplevelRequest& request, ToplevelEvents events) {
    if (request.undecorated || connection.decorations() != nullptr)
        return makeShellToplevel(connection, surface, request, std::move(events));
    if (auto framed = makeFramedToplevel(connection, surface, request, events))
        return framed;
    warnOfNoTitleBar("the Wayland compositor draws none and libdecor cannot start");
    return makeShellToplevel(connection, surface, request, std::move(events));
}

void warnOfNoTitleBar(const char* why) {
    static bool warned = false;
    if (warned)
        return;
    warned = true;
    std::fprintf(stderr, "Trivanta: the window has no title bar: %s.\n", why);
}

}  // namespace platform::wayland
