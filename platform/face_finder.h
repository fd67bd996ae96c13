// Between each system's font code and platform/face_names.cpp, which resolves face names and
// warns of missing fonts the same way on every system.
#pragma once

#include <string_view>

#include "platform/font.h"

namespace platform {

// Finds the installed faces that stand for a face name given as GBK bytes, as fontFaceNamed
// describes, warning once when they cannot draw Chinese text. Called once per name; the face
// lives until the process ends.
const FontFace* findFontFace(std::string_view gbkName);

// Says once per process that text will show boxes: Chinese text when `anyFace`, else all of
// it; and which font to install.
void warnOfMissingFonts(bool anyFace, const char* fontToInstall);

}  // namespace platform
