#include "platform/win32/window.h"

#include <algorithm>

#include "platform/changed_rows.h"
#include "platform/messages.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_class.h"

namespace platform::win32 {

namespace {

// The backend's own messages: posted messages are waiting, and timers to be set or killed on
// the window's thread, the only one Windows lets do it.
constexpr UINT kPostedWaiting = WM_APP + 1;
constexpr UINT kSetTimer = WM_APP + 2;
constexpr UINT kKillTimer = WM_APP + 3;

constexpr DWORD kCaptionedStyle = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kBorderlessStyle = WS_POPUP | WS_CLIPCHILDREN;

std::string lastErrorText(const char* what) {
    return std::string(what) + " (Windows error " + std::to_string(GetLastError()) + ")";
}

bool onWindowThread(HWND window) {
    return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

bool isMouseMessage(UINT message) {
    return message >= WM_MOUSEFIRST && message <= WM_MOUSEWHEEL;
}

}  // namespace

std::unique_ptr<Win32Window> Win32Window::create(const WindowRequest& wanted, std::string& error) {
    const std::wstring className = wideFromGbk(wanted.className);
    if (!registerWindowClass(className.c_str(), procedure)) {
        error = lastErrorText("cannot register the window class");
        return nullptr;
    }
    // A first guess at the outer size; the runtime sets the client size exactly afterwards.
    const int width = wanted.width + 2 * GetSystemMetrics(SM_CXFRAME);
    const int height =
        wanted.height + GetSystemMetrics(SM_CYFRAME) + 2 * GetSystemMetrics(SM_CYCAPTION);
    std::unique_ptr<Win32Window> made(new Win32Window(wanted.topmost));
    const HWND window = CreateWindowExW(
        wanted.topmost ? WS_EX_TOPMOST : 0, className.c_str(), wideFromGbk(wanted.caption).c_str(),
        wanted.borderless ? kBorderlessStyle : kCaptionedStyle, CW_USEDEFAULT, CW_USEDEFAULT, width,
        height, nullptr, nullptr, GetModuleHandleW(nullptr), made.get());
    if (window == nullptr) {
        error = lastErrorText("cannot make the window");
        return nullptr;
    }
    return made;
}

// The window lives until the process ends, so it is never destroyed from here.
Win32Window::~Win32Window() = default;

LRESULT CALLBACK Win32Window::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(window, message, wparam, lparam);
    return self->handle(message, wparam, lparam);
}

LRESULT Win32Window::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT:
            onPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETCURSOR:
            // Over the frame and the caption Windows chooses; over the client area the runtime.
            if (LOWORD(lparam) != HTCLIENT)
                break;
            queue(msg::kSetCursor, 0, 0);
            return TRUE;
        case WM_CLOSE:
            queue(msg::kClose, 0, 0);
            return 0;
        case WM_DESTROY:
            destroyed_ = true;
            queue(msg::kDestroy, 0, 0);
            return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
            queue(message, wparam, lparam);
            return 0;
        // F10 alone is a key like the other function keys, not the way into a window menu.
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            if (wparam != VK_F10 || GetKeyState(VK_MENU) < 0)
                break;
            queue(message == WM_SYSKEYDOWN ? msg::kKeyDown : msg::kKeyUp, wparam, lparam);
            return 0;
        case WM_CHAR:
            for (const Message& typed : typing_.messagesOf(static_cast<uint16_t>(wparam), lparam))
                pending_.push_back(typed);
            return 0;
        case WM_TIMER:
            queue(msg::kTimer, wparam, 0);
            return 0;
        case kPostedWaiting:
            takePosted();
            return 0;
        case kSetTimer:
            SetTimer(window_, wparam, static_cast<UINT>(lparam), nullptr);
            return 0;
        case kKillTimer:
            KillTimer(window_, wparam);
            return 0;
        default:
            if (isMouseMessage(message)) {
                queue(message, wparam, lparam);
                return 0;
            }
            break;
    }
    return DefWindowProcW(window_, message, wparam, lparam);
}

// Windows asks for what the window shows; the runtime presents it, whole.
void Win32Window::onPaint() {
    PAINTSTRUCT paint;
    BeginPaint(window_, &paint);
    EndPaint(window_, &paint);
    contentsLost_ = true;
    queue(msg::kPaint, 0, 0);
}

void Win32Window::takePosted() {
    std::lock_guard guard(postedLock_);
    pending_.insert(pending_.end(), posted_.begin(), posted_.end());
    posted_.clear();
}

void Win32Window::queue(uint32_t message, uintptr_t wparam, intptr_t lparam) {
    pending_.push_back({message, wparam, lparam});
}

Message Win32Window::nextMessage() {
    while (pending_.empty()) {
        MSG native;
        const BOOL got = GetMessageW(&native, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            // Nothing can come any more; the caller decides whether to ask again.
            Sleep(1);
            return {msg::kQuit, 0, 0};
        }
        TranslateMessage(&native);
        DispatchMessageW(&native);
    }
    const Message next = pending_.front();
    pending_.pop_front();
    return next;
}

void Win32Window::postMessage(const Message& message) {
    {
        std::lock_guard guard(postedLock_);
        posted_.push_back(message);
    }
    PostMessageW(window_, kPostedWaiting, 0, 0);
}

void Win32Window::setTimer(uintptr_t id, int intervalMs) {
    const UINT interval = static_cast<UINT>(std::max(intervalMs, kMinimumTimerMs));
    if (onWindowThread(window_)) {
        SetTimer(window_, id, interval, nullptr);
    } else {
        PostMessageW(window_, kSetTimer, id, static_cast<LPARAM>(interval));
    }
}

void Win32Window::killTimer(uintptr_t id) {
    if (onWindowThread(window_)) {
        KillTimer(window_, id);
    } else {
        PostMessageW(window_, kKillTimer, id, 0);
    }
}

void Win32Window::show(bool visible) {
    if (destroyed_)
        return;
    ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
    if (visible && topmost_)
        SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool Win32Window::visible() {
    return !destroyed_ && IsWindowVisible(window_) && !IsIconic(window_);
}

void Win32Window::setCaption(const char* gbk) {
    if (!destroyed_)
        SetWindowTextW(window_, wideFromGbk(gbk).c_str());
}

Size Win32Window::clientSize() {
    RECT client{};
    GetClientRect(window_, &client);
    return {client.right - client.left, client.bottom - client.top};
}

// The frame and caption keep their size; the outer size grows by what the client area lacks.
void Win32Window::setClientSize(Size size) {
    if (destroyed_)
        return;
    RECT client{};
    RECT outer{};
    GetClientRect(window_, &client);
    GetWindowRect(window_, &outer);
    const int width = outer.right - outer.left + size.width - (client.right - client.left);
    const int height = outer.bottom - outer.top + size.height - (client.bottom - client.top);
    SetWindowPos(window_, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void Win32Window::destroy() {
    if (!destroyed_)
        DestroyWindow(window_);
}

void Win32Window::present(const uint32_t* pixels, int stride, int width, int height, Rect changed) {
    if (destroyed_)
        return;
    const std::lock_guard presenting(presentLock_);
    const Rect whole{0, 0, width, height};
    if (shownSize_.width != width || shownSize_.height != height) {
        shown_.assign(static_cast<size_t>(std::max(width, 0)) * std::max(height, 0), 0);
        shownSize_ = {width, height};
        contentsLost_ = true;
    }
    // The window keeps what it shows; only what differs from it is sent, unless the window lost
    // it, when the whole picture is.
    const bool lost = contentsLost_.exchange(false);
    const Rect compared = lost ? whole : intersect(changed, whole);
    const auto sourceRow = [&](int y) {
        return reinterpret_cast<const uint8_t*>(pixels + static_cast<size_t>(y) * stride +
                                                compared.left);
    };
    const auto shownRow = [&](int y) {
        return reinterpret_cast<uint8_t*>(shown_.data() + static_cast<size_t>(y) * width +
                                          compared.left);
    };
    const Rect differing = copyChangedRows(compared, sizeof(uint32_t), sourceRow, shownRow);
    const Rect area = lost ? whole : differing;
    if (area.empty())
        return;
    const HDC dc = GetDC(window_);
    if (dc == nullptr) {
        contentsLost_ = true;
        return;
    }
    // The picture's words are a top-down 32-bit DIB already; only the changed rows are handed
    // over, starting at the first of them.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = stride;
    info.bmiHeader.biHeight = -area.height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const uint32_t* firstRow = pixels + static_cast<size_t>(area.top) * stride;
    StretchDIBits(dc, area.left, area.top, area.width(), area.height(), area.left, 0, area.width(),
                  area.height(), firstRow, &info, DIB_RGB_COLORS, SRCCOPY);
    ReleaseDC(window_, dc);
    // Wine puts on the screen what another thread drew into the window only when the window's
    // own thread next takes a message, which may be long in coming once the refresh timer is
    // parked: a null message makes it take one now.
    if (!onWindowThread(window_))
        PostMessageW(window_, WM_NULL, 0, 0);
}

void Win32Window::setCursor(Cursor cursor) {
    SetCursor(cursor == Cursor::Hidden ? nullptr
                                       : LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));  // arrow
}

bool Win32Window::pointerInClient() {
    POINT pointer{};
    RECT client{};
    if (!GetCursorPos(&pointer) || !ScreenToClient(window_, &pointer))
        return false;
    GetClientRect(window_, &client);
    return PtInRect(&client, pointer) != 0;
}

void Win32Window::captureMouse(bool capture) {
    if (capture) {
        SetCapture(window_);
    } else {
        ReleaseCapture();
    }
}

Point Win32Window::screenToClient(Point screen) {
    POINT point{screen.x, screen.y};
    ScreenToClient(window_, &point);
    return {point.x, point.y};
}

bool Win32Window::keyHeld(int virtualKey) {
    return virtualKey >= 0 && virtualKey < 256 && (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

}  // namespace platform::win32
