#include "platform/win32/wide_text.h"

#include <windows.h>

namespace platform::win32 {

std::wstring wideFromGbk(std::string_view gbk) {
    if (gbk.empty())
        return {};
    const int length = static_cast<int>(gbk.size());
    const int count = MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), length, nullptr, 0);
    if (count <= 0)
        return {};
    std::wstring wide(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), length, wide.data(), count);
    return wide;
}

}  // namespace platform::win32
