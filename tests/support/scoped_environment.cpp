#include "tests/support/scoped_environment.h"

#include <cstdlib>

ScopedEnvironment::~ScopedEnvironment() {
    for (auto saved = saved_.rbegin(); saved != saved_.rend(); ++saved) {
        if (saved->second) {
            setenv(saved->first.c_str(), saved->second->c_str(), 1);
        } else {
            unsetenv(saved->first.c_str());
        }
    }
}

void ScopedEnvironment::set(const char* name, const std::optional<std::string>& value) {
    const char* previous = std::getenv(name);
    saved_.emplace_back(name,
                        previous != nullptr ? std::optional<std::string>(previous) : std::nullopt);
    if (value) {
        setenv(name, value->c_str(), 1);
    } else {
        unsetenv(name);
    }
}
