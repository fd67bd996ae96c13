#include "platform/win32/console.h"

#include <windows.h>

#include <cstdio>

namespace platform::win32 {

namespace {

bool redirected(DWORD stream) {
    const HANDLE handle = GetStdHandle(stream);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

}  // namespace

bool writeToParentConsole() {
    const bool output = !redirected(STD_OUTPUT_HANDLE);
    const bool error = !redirected(STD_ERROR_HANDLE);
    if ((!output && !error) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return false;
    if (output)
        std::freopen("CONOUT$", "w", stdout);
    if (error)
        std::freopen("CONOUT$", "w", stderr);
    return true;
}

}  // namespace platform::win32
