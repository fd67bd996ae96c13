// Looking at a program's window from outside, through the test's own X connection.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/screen_view.h"

// The top-level window of the given class (WM_CLASS), or 0.
::Window findWindowOfClass(Display* display, const std::string& windowClass);

// The top-level window whose caption (_NET_WM_NAME or WM_NAME) is `name`, or 0.
::Window findWindowNamed(Display* display, const std::string& name);

// Gives the window the keyboard focus once it is on screen (a window manager would; without
// one the test must). Returns false when it does not appear within 30 seconds.
bool focusWhenViewable(Display* display, ::Window window);

// Adds a key that types `keysym` to the keyboard, on a key code that had none, as a keyboard
// layout with that character would have it, and waits until the server has it; returns the key
// code, or 0 when the keysym is NoSymbol or no key code is free. A program that reads the layout
// as it starts (Wine does) then knows the key, and a running X client reads the mapping change
// before any key event that follows it, whereas a key that xdotool makes up for a moment may
// reach a slow program after the mapping was taken back.
unsigned addKeyFor(Display* display, KeySym keysym);

// The window's pixels, or empty when the window cannot be read.
ScreenArea readWindow(Display* display, ::Window window, int x, int y, int width, int height);
