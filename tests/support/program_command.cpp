#include "tests/support/program_command.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "tests/support/desktop.h"

namespace {

// The Windows build's folder, or empty.
std::string windowsBuild() {
    const char* folder = std::getenv("TRIVANTA_WINDOWS_BUILD");
    return folder != nullptr ? folder : "";
}

bool wineDesktopRunning() {
    std::error_code error;
    for (const auto& process : std::filesystem::directory_iterator("/proc", error)) {
        std::ifstream comm(process.path() / "comm");
        std::string name;
        if (std::getline(comm, name) && name == "explorer.exe")
            return true;
    }
    return false;
}

// Wine's desktop process, which a program started without a display (the test-suite run under
// Wine) also starts, lives on for some seconds after its last program, and a window made on a
// test's X server meanwhile fails (Windows error 1400). The first program a test run starts
// waits for it to end; a minute is far more than it ever takes.
void awaitWineDesktopsEnd() {
    static std::once_flag once;
    std::call_once(once, [] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (wineDesktopRunning() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    });
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
        awaitWineDesktopsEnd();
        // Programs are started without a search of PATH; env makes one for Wine's loader.
        command = {"/usr/bin/env", "wine", path + ".exe"};
    } else {
        command = {path};
    }
    command.insert(command.end(), arguments.begin(), arguments.end());
    return command;
}

std::string builtWindowClass() {
    return testingXPrograms() ? "Tarvel" : "trivanta";
}

std::string programWindowClass(const std::string& name) {
    return testingWindowsBuild() ? name + ".exe" : builtWindowClass();
}
