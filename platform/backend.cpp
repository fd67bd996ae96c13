#include "platform/backend.h"

#include <atomic>

namespace platform {

namespace {

std::atomic<Backend*> chosenBackend{nullptr};

}  // namespace

Backend& backend() {
    Backend* current = chosenBackend.load();
    return current != nullptr ? *current : defaultBackend();
}

void useBackend(Backend& chosen) {
    chosenBackend = &chosen;
}

}  // namespace platform
