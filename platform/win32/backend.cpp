#include "platform/win32/backend.h"

#include <windows.h>

#include <atomic>

#include "platform/time_units.h"
#include "platform/win32/console.h"
#include "platform/win32/sleeper.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window.h"

namespace platform::win32 {

namespace {

Sleeper& threadSleeper() {
    thread_local Sleeper sleeper;
    return sleeper;
}

class Win32Backend final : public Backend {
public:
    int64_t counter() override {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return now.QuadPart;
    }
    int64_t counterFrequency() override {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart;
    }
    uint32_t tickCount() override { return GetTickCount(); }

    void sleepMs(int ms) override {
        if (ms > 0)
            threadSleeper().sleepNs(ms * kNanosecondsPerMs);
    }
    void pauseNs(int64_t nanoseconds) override { threadSleeper().sleepNs(nanoseconds); }

    std::unique_ptr<Window> createWindow(const WindowRequest& wanted, std::string& error) override {
        std::unique_ptr<Win32Window> window = Win32Window::create(wanted, error);
        if (window != nullptr)
            boxOwner_ = window->handle();
        return window;
    }

    Size desktopSize() override {
        RECT desktop{};
        GetWindowRect(GetDesktopWindow(), &desktop);
        return {desktop.right, desktop.bottom};
    }

    void showErrorBox(const char* title, const char* text) override {
        MessageBoxW(boxOwner_, wideFromGbk(text).c_str(), wideFromGbk(title).c_str(),
                    MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    }

private:
    // The window error boxes stand above: the last one made.
    std::atomic<HWND> boxOwner_{nullptr};
};

// Before main runs, so that a program's first words already reach the console.
[[maybe_unused]] const bool consoleAttached = writeToParentConsole();

}  // namespace

bool available(std::string&) {
    return true;
}

Backend& backend() {
    // Never destroyed: the window thread may still use it while the process ends.
    static auto* const instance = new Win32Backend();
    return *instance;
}

}  // namespace platform::win32
