#include "tests/support/program_command.h"

#include <cstdlib>

namespace {

// The Windows build's folder, or empty.
std::string windowsBuild() {
    const char* folder = std::getenv("TRIVANTA_WINDOWS_BUILD");
    return folder != nullptr ? folder : "";
}

}  // namespace

bool testingWindowsBuild() {
    return !windowsBuild().empty();
}

std::vector<std::string> programCommand(const std::string& name,
                                        const std::vector<std::string>& arguments) {
    std::vector<std::string> command;
    const std::string folder = testingWindowsBuild() ? windowsBuild() : TRIVANTA_BUILD_DIR;
    // The game stands at the top of the build folder, the test programs under tests/.
    const std::string path = folder + (name == "trivanta" ? "/" : "/tests/") + name;
    if (testingWindowsBuild()) {
        // Programs are started without a search of PATH; env makes one for Wine's loader.
        command = {"/usr/bin/env", "wine", path + ".exe"};
    } else {
        command = {path};
    }
    command.insert(command.end(), arguments.begin(), arguments.end());
    return command;
}

std::string programWindowClass(const std::string& name) {
    return testingWindowsBuild() ? name + ".exe" : "Tarvel";
}
