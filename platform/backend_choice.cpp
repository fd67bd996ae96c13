#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/backend_list.h"

namespace platform {

namespace {

// The headless backend stands in for a window system in tests and tools; a program of a build
// that has a window system is not started on it unless it is asked for.
bool isWindowSystem(const BackendEntry& entry) {
    return std::strcmp(entry.name, "headless") != 0;
}

std::string namesOf(std::span<const BackendEntry> list) {
    std::string names;
    for (const BackendEntry& entry : list)
        names += (names.empty() ? "" : ", ") + std::string(entry.name);
    return names;
}

}  // namespace

const BackendEntry* chooseBackend(std::span<const BackendEntry> list, const char* forced,
                                  std::string& error) {
    if (forced != nullptr && *forced != '\0') {
        for (const BackendEntry& entry : list) {
            if (std::strcmp(entry.name, forced) == 0)
                return &entry;
        }
        error = "TRIVANTA_BACKEND=" + std::string(forced) +
                " names no backend of this build, which has: " + namesOf(list);
        return nullptr;
    }
    const bool anyWindowSystem = std::any_of(list.begin(), list.end(), isWindowSystem);
    std::string reasons;
    for (const BackendEntry& entry : list) {
        if (anyWindowSystem && !isWindowSystem(entry))
            continue;
        std::string whyNot;
        if (entry.available(whyNot))
            return &entry;
        reasons += (reasons.empty() ? "" : ", ") + whyNot;
    }
    error = "cannot open a window: " + reasons;
    return nullptr;
}

Backend& defaultBackend() {
    // Chosen once; a program that cannot start on any backend ends here, before its window.
    static Backend* const chosen = [] {
        std::string error;
        const BackendEntry* entry =
            chooseBackend(backendList(), std::getenv("TRIVANTA_BACKEND"), error);
        if (entry == nullptr) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::exit(EXIT_FAILURE);
        }
        return &entry->create();
    }();
    return *chosen;
}

}  // namespace platform
