// Environment variables a test's desktop sets for the programs it starts, each put back as it
// was when the desktop ends.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    // Puts back every variable changed, newest first, so that a variable set twice ends as it
    // was before the first time.
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    // Sets the variable, or unsets it given none.
    void set(const char* name, const std::optional<std::string>& value);

private:
    // The variables changed, with the values they had before, oldest first.
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};
