// A private session of weston on its headless backend, which has no input devices: windows found
// in the scene graph its debug protocol prints (weston-debug), pictures taken with
// weston-screenshooter. Nothing can type to a window there or ask it to close.
#pragma once

#include "tests/support/compositor_desktop.h"

class WestonDesktop : public CompositorDesktop {
public:
    explicit WestonDesktop(const DesktopOptions& options);

    std::string name() const override { return "weston"; }
    DesktopWindow windowOfClass(const std::string& windowClass) override;
    DesktopWindow windowNamed(const std::string& caption) override;
    bool focus(DesktopWindow window) override;
    std::string caption(DesktopWindow window) override;
    WindowSize size(DesktopWindow window) override;
    ScreenArea read(DesktopWindow window, int x, int y, int width, int height) override;
    bool close(DesktopWindow) override { return false; }
    bool hasKeyboard() const override { return false; }
    bool type(const std::string&, int) override { return false; }
    bool hold(const std::string&, int) override { return false; }
    bool addKey(const std::string&) override { return false; }

    // A top-level window of the scene graph.
    struct View {
        DesktopWindow surface = 0;
        std::string title;
        std::string appId;  // empty for an X window
        // Where its content is, in the layout's coordinates.
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
    };

private:
    void startSession(const DesktopOptions& options);
    std::vector<View> views();
    std::optional<View> view(DesktopWindow window);
};
