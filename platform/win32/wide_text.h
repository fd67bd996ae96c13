// GBK byte strings as the wide (UTF-16) strings Windows' own calls take, whatever the system's
// code page: a Western system would show the bytes of the game's texts as the wrong letters.
#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

// Code page 936, the game's texts' code page.
inline constexpr unsigned int kGbkCodePage = 936;

// The text in UTF-16; bytes that name no character become U+FFFD.
std::wstring wideFromGbk(std::string_view gbk);

}  // namespace platform::win32
