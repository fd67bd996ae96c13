// The window properties that tell the window manager how to treat our windows, shared by the
// runtime's window and the error box. Each is called with the display locked, where the
// display is shared.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <span>
#include <string>

namespace platform::x11 {

// The caption, as WM_NAME and _NET_WM_NAME, both in UTF-8.
void setWindowCaption(Display* display, ::Window window, const std::string& utf8);

// Makes the window's size fixed: the user cannot resize it.
void setFixedSize(Display* display, ::Window window, int width, int height);

// Asks the window manager to send a close request instead of killing the client when the
// user closes the window.
void acceptCloseRequests(Display* display, ::Window window);
// Whether the event is such a request.
bool isCloseRequest(Display* display, const XEvent& event);

// Asks the window manager to draw neither frame nor caption.
void removeDecorations(Display* display, ::Window window);

// The icon task lists and window switchers show, as _NET_WM_ICON, from pictures in the layout of
// platform/icon.h. Nothing is set when there is no picture.
void setWindowIcon(Display* display, ::Window window, std::span<const uint32_t> icon);

// Names the process and the machine that own the window (_NET_WM_PID, WM_CLIENT_MACHINE), so
// that the window manager can tell the program apart and end it when it stops answering.
void setClientIdentity(Display* display, ::Window window);

// Adds a state such as "_NET_WM_STATE_ABOVE" to the window before it is first mapped.
void addInitialState(Display* display, ::Window window, const char* state);

}  // namespace platform::x11
