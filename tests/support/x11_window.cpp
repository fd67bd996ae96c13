#include "tests/support/x11_window.h"

#include <chrono>
#include <thread>

#include "platform/messages.h"

namespace {

// Messages of the test's own, which the window thread acts on instead of recording.
constexpr uint32_t kDestroyRequest = 0x8001;

constexpr auto kPatience = std::chrono::seconds(30);

}  // namespace

PumpedWindow::PumpedWindow(const platform::WindowRequest& wanted) {
    thread_ = std::thread([this, wanted] {
        {
            std::lock_guard lock(lock_);
            window_ = platform::x11::X11Window::create(wanted, error_);
            made_ = true;
        }
        changed_.notify_all();
        if (window_ != nullptr)
            pump();
    });
    std::unique_lock lock(lock_);
    changed_.wait(lock, [this] { return made_; });
}

PumpedWindow::~PumpedWindow() {
    if (window_ != nullptr)
        destroy();
    thread_.join();
}

void PumpedWindow::pump() {
    for (;;) {
        const platform::Message message = window_->nextMessage();
        if (message.message == kDestroyRequest) {
            window_->destroy();
            continue;
        }
        {
            std::lock_guard lock(lock_);
            received_.push_back(message);
        }
        changed_.notify_all();
        if (message.message == msg::kDestroy)
            return;
    }
}

void PumpedWindow::destroy() {
    window_->postMessage({kDestroyRequest, 0, 0});
}

std::vector<platform::Message> PumpedWindow::messagesUntil(
    const std::function<bool(const platform::Message&)>& matches) {
    std::vector<platform::Message> taken;
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    std::unique_lock lock(lock_);
    for (;;) {
        while (!received_.empty()) {
            taken.push_back(received_.front());
            received_.pop_front();
            if (matches(taken.back()))
                return taken;
        }
        if (!changed_.wait_until(lock, deadline, [this] { return !received_.empty(); })) {
            return taken;
        }
    }
}

bool PumpedWindow::showAndWaitForPaint() {
    window_->show(true);
    return waitForPaint();
}

bool PumpedWindow::waitForPaint() {
    const std::vector<platform::Message> messages = messagesUntil(isMessage(msg::kPaint));
    return !messages.empty() && messages.back().message == msg::kPaint;
}

std::function<bool(const platform::Message&)> isMessage(uint32_t message) {
    return [message](const platform::Message& m) { return m.message == message; };
}

std::function<bool(const platform::Message&)> isMessage(uint32_t message, uintptr_t wparam) {
    return [message, wparam](const platform::Message& m) {
        return m.message == message && m.wparam == wparam;
    };
}

platform::WindowRequest windowOfSize(int width, int height) {
    platform::WindowRequest wanted;
    wanted.width = width;
    wanted.height = height;
    wanted.className = "Tarvel";
    wanted.caption = "TARVEL13.03 VC6x86";
    return wanted;
}

bool eventually(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

namespace {

// Room for the longest property tests read, the window icon of some 90,000 items, in 32-bit units.
constexpr long kMaxItems = 1 << 20;

// The property's items, as Xlib hands them out: chars for format 8, longs for format 32.
template <typename Item>
std::vector<Item> propertyItems(Display* display, ::Window window, const char* name) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, kMaxItems, False,
                       AnyPropertyType, &type, &format, &count, &remaining, &data);
    std::vector<Item> items;
    if (data != nullptr) {
        const auto* first = reinterpret_cast<const Item*>(data);
        items.assign(first, first + count);
        XFree(data);
    }
    return items;
}

}  // namespace

std::string textProperty(Display* display, ::Window window, const char* name) {
    const std::vector<char> text = propertyItems<char>(display, window, name);
    return {text.begin(), text.end()};
}

std::vector<long> longsProperty(Display* display, ::Window window, const char* name) {
    return propertyItems<long>(display, window, name);
}
