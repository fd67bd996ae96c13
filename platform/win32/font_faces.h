// Asking Windows which font families are installed for the face names programs use.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::win32 {

// The installed families for a face name given as GBK bytes, best first: the family of that
// name when one is installed, then Chinese families of the name's style (sans for unknown
// names). Empty when none of these is installed.
std::vector<std::wstring> familiesFor(std::string_view gbkName);

// Some installed family with Chinese characters, and some with Latin letters.
std::optional<std::wstring> anyChineseFamily();
std::optional<std::wstring> anyLatinFamily();

}  // namespace platform::win32
