#include "platform/backend.h"

#include <atomic>

#include "platform/x11/backend.h"

namespace platform {

namespace {

std::atomic<Backend*> chosenBackend{nullptr};

}  // namespace

Backend& backend() {
    Backend* current = chosenBackend.load();
    return current != nullptr ? *current : x11::backend();
}

void useBackend(Backend& chosen) {
    chosenBackend = &chosen;
}

}  // namespace platform
