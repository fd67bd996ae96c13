// The runtime window's class.
#pragma once

#include <windows.h>

namespace platform::win32 {

// Registers the class of that name once per process, with `procedure` as its window procedure;
// false when Windows refuses it.
bool registerWindowClass(const wchar_t* name, WNDPROC procedure);

}  // namespace platform::win32
