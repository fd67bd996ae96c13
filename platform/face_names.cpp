// Face names resolved once each, whichever system finds the faces (platform/face_finder.h).
#include <cstdio>
#include <map>
#include <string>

#include "platform/face_finder.h"
#include "platform/font.h"

namespace platform {

const FontFace& fontFaceNamed(std::string_view gbkName) {
    // Never destroyed, like the faces: glyphs may still be drawn while the process ends.
    static auto* const faces = new std::map<std::string, const FontFace*, std::less<>>();
    auto found = faces->find(gbkName);
    if (found == faces->end())
        found = faces->emplace(gbkName, findFontFace(gbkName)).first;
    return *found->second;
}

const FontFace& defaultFontFace() {
    static const FontFace& face = fontFaceNamed(kSansFaceName);
    return face;
}

void warnOfMissingFonts(bool anyFace, const char* fontToInstall) {
    static bool warned = false;
    if (warned)
        return;
    warned = true;
    std::fprintf(stderr,
                 anyFace ? "Trivanta: no installed font has Chinese characters, so they are drawn "
                           "as boxes; install a Chinese font such as %s.\n"
                         : "Trivanta: no fonts found, so all text is drawn as boxes; install a "
                           "font such as %s.\n",
                 fontToInstall);
}

}  // namespace platform
