#include "platform/wayland/backend.h"

#include <mutex>

#include "platform/linux/posix_backend.h"
#include "platform/wayland/connection.h"
#include "platform/wayland/message_box.h"
#include "platform/wayland/window.h"

namespace platform::wayland {

namespace {

class WaylandBackend final : public PosixBackend {
public:
    // The connection that answered when the backend was chosen serves the window, so that a
    // compositor that hands the program one connection only (WAYLAND_SOCKET) still works.
    bool probe(std::string& whyNot) {
        const std::lock_guard lock(spareLock_);
        if (spare_ == nullptr)
            spare_ = Connection::open(kAnswerTimeoutMs, whyNot);
        return spare_ != nullptr;
    }

    std::unique_ptr<Window> createWindow(const WindowRequest& wanted, std::string& error) override {
        std::unique_ptr<Connection> connection = takeSpare();
        if (connection == nullptr)
            connection = Connection::open(kAnswerTimeoutMs, error);
        if (connection == nullptr)
            return nullptr;
        return WaylandWindow::create(std::move(connection), wanted, error);
    }

    // The first output's size in the compositor's units.
    Size desktopSize() override {
        std::string error;
        const std::unique_ptr<Connection> connection = Connection::open(kAnswerTimeoutMs, error);
        if (connection == nullptr || connection->outputs().empty())
            return {};
        const Output& output = *connection->outputs().front();
        return {output.mode.width / output.scale, output.mode.height / output.scale};
    }

    void showErrorBox(const char* title, const char* text) override { showMessageBox(title, text); }

private:
    std::unique_ptr<Connection> takeSpare() {
        const std::lock_guard lock(spareLock_);
        return std::move(spare_);
    }

    std::mutex spareLock_;
    std::unique_ptr<Connection> spare_;
};

WaylandBackend& instance() {
    // Never destroyed: the window thread may still use it while the process ends.
    static auto* const backend = new WaylandBackend();
    return *backend;
}

}  // namespace

bool available(std::string& whyNot) {
    return instance().probe(whyNot);
}

Backend& backend() {
    return instance();
}

}  // namespace platform::wayland
