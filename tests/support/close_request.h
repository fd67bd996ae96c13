// The close button of a window, pressed as a window manager does. Needs only Xlib, so that the
// packages' autopkgtest (debian/tests/close_button.cpp) builds it against the installed system.
#pragma once

#include <X11/Xlib.h>

// Sends what a window manager sends when the user clicks the window's close button: the
// WM_DELETE_WINDOW request of the WM_PROTOCOLS the window takes part in.
void sendCloseRequest(Display* display, ::Window window);
