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

// The window's pixels, or empty when the window cannot be read.
ScreenArea readWindow(Display* display, ::Window window, int x, int y, int width, int height);
