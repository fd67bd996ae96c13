// The desktop of the window tests on a private X server (tests/support/xvfb.h), looked at through
// the test's own connection and typed to with xdotool.
#pragma once

#include "tests/support/desktop.h"
#include "tests/support/xvfb.h"

class X11Desktop : public Desktop {
public:
    explicit X11Desktop(const DesktopOptions& options = {});

    bool running() const override { return server_.running(); }
    const std::string& error() const override { return server_.error(); }
    std::string name() const override { return "Xvfb"; }
    std::vector<std::string> command(const std::vector<std::string>& argv) const override {
        return argv;
    }
    // The test's own connection to the server.
    Display* connection() const { return server_.connection(); }

    DesktopWindow windowOfClass(const std::string& windowClass) override;
    DesktopWindow windowNamed(const std::string& caption) override;
    bool focus(DesktopWindow window) override;
    std::string caption(DesktopWindow window) override;
    WindowSize size(DesktopWindow window) override;
    // Outside the X window, which holds what Wine draws around a Windows program's client area,
    // nothing is shown: the pixels there read 0xFFFFFFFF.
    ScreenArea read(DesktopWindow window, int x, int y, int width, int height) override;
    bool close(DesktopWindow window) override;
    bool type(const std::string& keys, int delayMs) override;
    bool hold(const std::string& key, int ms) override;
    bool addKey(const std::string& keyName) override;

private:
    int scale_;
    Xvfb server_;
};
