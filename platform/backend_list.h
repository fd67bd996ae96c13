// The build's backends in the order a program tries them when it starts, and the choice among
// them. The list is generated from the build's list of backends (TRIVANTA_BACKENDS), so that a
// backend is added by naming its folder there.
#pragma once

#include <span>
#include <string>

#include "platform/backend.h"

namespace platform {

struct BackendEntry {
    const char* name;  // the folder's name, as TRIVANTA_BACKEND names it
    // Whether the backend can start here; when it cannot, says why in one short phrase.
    bool (*available)(std::string& whyNot);
    Backend& (*create)();
};

// Every backend of the build, in the order they are tried.
std::span<const BackendEntry> backendList();

// The backend a program starts on. `forced` is the name TRIVANTA_BACKEND gives, or null: that
// backend is taken as it is, and its window says why when it cannot be made. Otherwise the first
// window system that is available; the headless backend only in a build without a window system.
// Null when there is none, with the reason in `error`.
const BackendEntry* chooseBackend(std::span<const BackendEntry> list, const char* forced,
                                  std::string& error);

}  // namespace platform
