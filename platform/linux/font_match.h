// Asking the system's font configuration which font files to use.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One face in a font file (a collection file holds several, told apart by index).
struct FontFile {
    std::string path;
    int index = 0;
};

// The installed faces for a face name given as GBK bytes, best first: the family of that name
// when one is installed, then Chinese faces of the name's style (sans for unknown names).
// Empty when none of these is installed.
std::vector<FontFile> fontFilesFor(std::string_view gbkName);

// An installed face that has the character, if any.
std::optional<FontFile> fontFileWith(char32_t cp);

// The configuration's first choice for ordinary text, whatever it covers.
std::optional<FontFile> anyFontFile();

}  // namespace platform
