// The headless backend and what tests read and script through it.
#include <atomic>
#include <memory>

#include "platform/backend.h"
#include "platform/headless/framebuffer.h"
#include "platform/headless/headless.h"
#include "platform/headless/key_names.h"
#include "platform/headless/scheduler.h"
#include "platform/headless/window.h"
#include "platform/messages.h"
#include "platform/time_units.h"

namespace platform::headless {

namespace {

constexpr Size kDesktop{1920, 1080};

int64_t virtualTime(double ms) {
    return static_cast<int64_t>(ms * kNanosecondsPerMs);
}

class HeadlessBackend : public Backend {
public:
    int64_t counter() override { return scheduler.poll(); }
    int64_t counterFrequency() override { return kNanosecondsPerSecond; }
    uint32_t tickCount() override {
        return static_cast<uint32_t>(scheduler.now() / kNanosecondsPerMs);
    }
    void sleepMs(int ms) override {
        if (ms > 0)
            scheduler.sleep(int64_t{ms} * kNanosecondsPerMs, Scheduler::Wake::OnTick);
    }
    void pauseNs(int64_t nanoseconds) override {
        if (nanoseconds > 0)
            scheduler.sleep(nanoseconds, Scheduler::Wake::Exactly);
    }

    std::unique_ptr<Window> createWindow(const WindowRequest& wanted, std::string&) override {
        auto made = std::make_unique<HeadlessWindow>(scheduler, frames, wanted);
        window = made.get();
        return made;
    }
    Size desktopSize() override { return kDesktop; }
    // There is no screen to show a box on; the message is on standard error already.
    void showErrorBox(const char*, const char*) override {}

    Scheduler scheduler;
    FrameRecorder frames;
    std::atomic<HeadlessWindow*> window{nullptr};  // made once, on the window thread
};

// Lives until the process ends: the window thread may use it to the last moment.
HeadlessBackend& instance() {
    static auto* const backend = new HeadlessBackend();
    return *backend;
}

}  // namespace

bool available(std::string&) {
    return true;
}

void use() {
    useBackend(instance());
}

Backend& backend() {
    return instance();
}

double nowMs() {
    return static_cast<double>(instance().scheduler.now()) / kNanosecondsPerMs;
}

namespace {

// A key of the script; a name of no key gives a key without a code that types nothing.
KeyStroke strokeOf(const char* keyName, bool pressed) {
    KeyStroke stroke = keyNamed(keyName).value_or(KeyStroke{});
    stroke.pressed = pressed;
    return stroke;
}

// Delivers a key's messages at a time, keeping the key's held state as a keyboard would: a
// press while the key is down is an auto-repeat.
void scriptKey(double atMs, const char* keyName, bool pressed) {
    KeyStroke stroke = strokeOf(keyName, pressed);
    const int virtualKey = stroke.virtualKey;
    instance().scheduler.schedule(virtualTime(atMs), [stroke, virtualKey]() mutable {
        std::vector<Message> messages;
        HeadlessWindow* window = instance().window;
        if (window == nullptr)
            return messages;
        stroke.wasDown = window->keyHeld(virtualKey);
        stroke.control = window->keyHeld(vk::kControl);
        stroke.alt = window->keyHeld(vk::kAlt);
        window->setKeyHeld(virtualKey, stroke.pressed);
        for (const Message& message : keyMessages(stroke))
            messages.push_back(message);
        return messages;
    });
}

}  // namespace

void keyDown(double atMs, const char* key) {
    scriptKey(atMs, key, true);
}
void keyUp(double atMs, const char* key) {
    scriptKey(atMs, key, false);
}

void pressKey(double atMs, const char* key, double holdMs) {
    keyDown(atMs, key);
    keyUp(atMs + holdMs, key);
}

void sendMessage(double atMs, const Message& message) {
    instance().scheduler.schedule(virtualTime(atMs),
                                  [message] { return std::vector<Message>{message}; });
}

void clickClose(double atMs) {
    sendMessage(atMs, {msg::kClose, 0, 0});
}

int64_t frameCount() {
    return instance().frames.count();
}
Frame lastFrame() {
    return instance().frames.last();
}
void observeFrames(std::function<void(const Frame&)> observer) {
    instance().frames.setObserver(std::move(observer));
}
void recordFrames(bool on) {
    instance().frames.setRecording(on);
}
std::vector<Frame> recordedFrames() {
    return instance().frames.recorded();
}

std::string captionUtf8() {
    HeadlessWindow* window = instance().window;
    return window != nullptr ? window->captionUtf8() : std::string();
}

bool windowVisible() {
    HeadlessWindow* window = instance().window;
    return window != nullptr && window->visible();
}

Size windowClientSize() {
    HeadlessWindow* window = instance().window;
    return window != nullptr ? window->clientSize() : Size{};
}

Cursor windowCursor() {
    HeadlessWindow* window = instance().window;
    return window != nullptr ? window->cursor() : Cursor::Arrow;
}

bool mouseCaptured() {
    HeadlessWindow* window = instance().window;
    return window != nullptr && window->captured();
}

void movePointer(Point client) {
    if (HeadlessWindow* window = instance().window)
        window->movePointer(client);
}

}  // namespace platform::headless
