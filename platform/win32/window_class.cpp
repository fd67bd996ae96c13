#include "platform/win32/window_class.h"

namespace platform::win32 {

namespace {

// Resource types searched for the program's icon, in this order: animated icon, icon group,
// single icon.
constexpr WORD kIconTypes[] = {22, 14, 3};

// The name of the first resource of a type.
BOOL CALLBACK takeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
    *reinterpret_cast<LPCWSTR*>(found) = name;
    return FALSE;
}

HICON loadIconResource(HMODULE module, WORD type, LPCWSTR name) {
    if (type != 3) {
        return static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    }
    // A single icon has no group to choose a size from, so its own bytes make the icon.
    HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(type));
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr)
        return nullptr;
    return CreateIconFromResourceEx(static_cast<PBYTE>(bytes), SizeofResource(module, found), TRUE,
                                    0x00030000, 0, 0, LR_DEFAULTSIZE);
}

// The first icon among the program's resources, or Windows' own when it carries none.
HICON programIcon(HMODULE module) {
    for (const WORD type : kIconTypes) {
        LPCWSTR name = nullptr;
        EnumResourceNamesW(module, MAKEINTRESOURCEW(type), takeFirstName,
                           reinterpret_cast<LONG_PTR>(&name));
        if (name == nullptr)
            continue;
        if (HICON icon = loadIconResource(module, type, name))
            return icon;
    }
    return LoadIconW(nullptr, MAKEINTRESOURCEW(32517));  // IDI_WINLOGO
}

}  // namespace

bool registerWindowClass(const wchar_t* name, WNDPROC procedure) {
    HMODULE module = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(module, name, &existing) != 0)
        return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = module;
    windowClass.hIcon = programIcon(module);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = name;
    return RegisterClassExW(&windowClass) != 0;
}

}  // namespace platform::win32
