#include "platform/web/backend.h"

#include <emscripten/emscripten.h>
#include <emscripten/threading.h>

#include <condition_variable>
#include <mutex>

#include "platform/gbk.h"
#include "platform/time_units.h"
#include "platform/web/page.h"
#include "platform/web/window.h"

namespace platform::web {

namespace {

// The error dialog on the page: shown from a worker, which waits until the reader closes it.
class ErrorDialog {
public:
    void show(const char* title, const char* text) {
        {
            const std::lock_guard lock(lock_);
            open_ = true;
        }
        trivanta_page_show_error(gbkToUtf8(title).c_str(), gbkToUtf8(text).c_str());
        // The page's own thread cannot wait: it must run the page for the dialog to close.
        if (emscripten_is_main_browser_thread())
            return;
        std::unique_lock lock(lock_);
        closed_.wait(lock, [this] { return !open_; });
    }
    void close() {
        const std::lock_guard lock(lock_);
        open_ = false;
        closed_.notify_all();
    }

private:
    std::mutex lock_;  // guards open_
    std::condition_variable closed_;
    bool open_ = false;
};

class WebBackend final : public Backend {
public:
    // The page's clock, in milliseconds with a fraction; worker threads see the same clock.
    int64_t counter() override {
        return static_cast<int64_t>(emscripten_get_now() * kNanosecondsPerMs);
    }
    int64_t counterFrequency() override { return kNanosecondsPerSecond; }
    uint32_t tickCount() override { return static_cast<uint32_t>(emscripten_get_now()); }

    void sleepMs(int ms) override {
        if (ms > 0)
            emscripten_thread_sleep(ms);
    }
    void pauseNs(int64_t nanoseconds) override {
        if (nanoseconds > 0)
            emscripten_thread_sleep(static_cast<double>(nanoseconds) / kNanosecondsPerMs);
    }

    std::unique_ptr<Window> createWindow(const WindowRequest& wanted, std::string&) override {
        return std::make_unique<WebWindow>(wanted);
    }
    Size desktopSize() override {
        const int packed = trivanta_page_viewport_size();
        return {packed >> 16 & 0xFFFF, packed & 0xFFFF};
    }
    void showErrorBox(const char* title, const char* text) override { dialog.show(title, text); }

    ErrorDialog dialog;
};

WebBackend& instance() {
    // Never destroyed: the window thread may still use it while the program ends.
    static auto* const made = new WebBackend();
    return *made;
}

}  // namespace

bool available(std::string&) {
    return true;
}

Backend& backend() {
    return instance();
}

}  // namespace platform::web

extern "C" EMSCRIPTEN_KEEPALIVE void trivanta_page_error_closed() {
    platform::web::instance().dialog.close();
}
