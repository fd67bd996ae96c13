#include "platform/web/backend.h"

#include <emscripten/emscripten.h>
#include <emscripten/threading.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>

#include "platform/gbk.h"
#include "platform/time_units.h"
#include "platform/web/page.h"
#include "platform/web/window.h"

namespace platform::web {

namespace {

// The final moments of a wait, which the caller polls, beyond the lateness the waits have shown:
// the page's clock moves in steps of 5 microseconds in an isolated page.
constexpr int64_t kPollNs = 5'000;
// A wait's lateness counts at most this much towards the estimate, so that a moment the
// browser held the thread up does not make the next waits poll for long.
constexpr int64_t kLongestLatenessNs = 500'000;

// A word no thread ever changes or wakes, for waits that only time out.
uint32_t neverWoken = 0;

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
            pauseNs(ms * kNanosecondsPerMs);
    }
    // One wait, however short: the library's sleep waits in slices and spins through the last
    // tenth of a millisecond of each, which at the menu's 200 frames a second was a few percent
    // of a core. Calls proxied to this thread are run first, as the library's sleep runs them.
    void pauseNs(int64_t nanoseconds) override {
        if (nanoseconds <= 0)
            return;
        emscripten_current_thread_process_queued_calls();
        emscripten_futex_wait(&neverWoken, 0, static_cast<double>(nanoseconds) / kNanosecondsPerMs);
    }
    // A worker's wait ends within the browser's wake-up latency whatever its length, so a wait
    // sleeps once, rather than whole milliseconds and then the rest, and the caller polls through
    // the last kPollNs: a frame wakes the thread once. It wakes that latency early, as the last
    // waits measured it, so that the frames keep their length and the polling stays short.
    bool sleepTowards(int64_t remainingNs) override {
        const int64_t early = kPollNs + latenessNs_;
        if (remainingNs <= early)
            return false;
        const int64_t asked = remainingNs - early;
        const int64_t start = counter();
        pauseNs(asked);
        const int64_t late = std::clamp<int64_t>(counter() - start - asked, 0, kLongestLatenessNs);
        // The estimate follows the shorter latenesses quickly and the longer ones slowly: a wait
        // that woke early is polled through, which costs the processor, one that woke late
        // costs only the time.
        latenessNs_ += late < latenessNs_ ? (late - latenessNs_) / 2 : (late - latenessNs_) / 16;
        return true;
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

private:
    // How much later than asked the main thread's recent waits ended; only the main thread
    // waits here.
    int64_t latenessNs_ = 0;
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
