// A private session of sway on its headless backend: windows found and closed through its IPC
// (swaymsg), keys typed through the virtual-keyboard protocol (wtype), pictures taken through
// screencopy (grim).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "tests/support/compositor_desktop.h"
#include "tests/support/json_value.h"

class SwayDesktop : public CompositorDesktop {
public:
    explicit SwayDesktop(const DesktopOptions& options);

    std::string name() const override { return "sway"; }
    DesktopWindow windowOfClass(const std::string& windowClass) override;
    DesktopWindow windowNamed(const std::string& caption) override;
    bool focus(DesktopWindow window) override;
    std::string caption(DesktopWindow window) override;
    WindowSize size(DesktopWindow window) override;
    ScreenArea read(DesktopWindow window, int x, int y, int width, int height) override;
    bool close(DesktopWindow window) override;
    bool type(const std::string& keys, int delayMs) override;
    bool hold(const std::string& key, int ms) override;
    bool addKey(const std::string&) override { return true; }

private:
    void startSession(const DesktopOptions& options);
    // The window tree's node for the window, or none.
    std::optional<JsonValue> node(DesktopWindow window);
    std::optional<JsonValue> nodeWhere(const std::function<bool(const JsonValue&)>& matches);
    // Runs a sway command (`what`) on the windows the criteria match.
    bool tellWindows(const std::string& criteria, const std::string& what);
};
