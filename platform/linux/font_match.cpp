#include "platform/linux/font_match.h"

#include <fontconfig/fontconfig.h>

#include <functional>
#include <memory>
#include <span>

#include "platform/font.h"
#include "platform/gbk.h"

// fontconfig loses a few hundred bytes while it parses the system's configuration, once per
// process. That is not ours to fix, so the leak checker of sanitizer builds passes over it. It
// stands here, with the calls into fontconfig, so that every program using fonts links it. It is
// defined in every build: the compilers do not agree on a macro that says the leak checker is in
// (clang 14 has no __SANITIZE_ADDRESS__), and without it nothing calls this.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace platform {

namespace {

struct PatternFree {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternFree>;

// The families that stand in for the two Chinese face names, best first. Faces whose Latin
// letters are half as wide as their ideographs come first, since text is laid out in cells
// of exactly that width.
constexpr const char* kSansFamilies[] = {
    "WenQuanYi Zen Hei Mono", "WenQuanYi Zen Hei",     "WenQuanYi Micro Hei Mono",
    "WenQuanYi Micro Hei",    "Noto Sans Mono CJK SC", "Noto Sans CJK SC",
    "Source Han Sans SC",     "Droid Sans Fallback",
};
constexpr const char* kSerifFamilies[] = {
    "AR PL UMing CN",      "AR PL SungtiL GB", "Noto Serif CJK SC",
    "Source Han Serif SC", "AR PL UKai CN",
};

const FcChar8* fcText(const char* text) {
    return reinterpret_cast<const FcChar8*>(text);
}

// The configuration's best match for the pattern, when `accept` takes it. The configuration
// answers some face for any request, so each caller says what makes an answer useful.
std::optional<FontFile> bestMatch(const Pattern& pattern,
                                  const std::function<bool(FcPattern*)>& accept) {
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const Pattern font(FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8* path = nullptr;
    if (!font || !accept(font.get()) ||
        FcPatternGetString(font.get(), FC_FILE, 0, &path) != FcResultMatch) {
        return std::nullopt;
    }
    int index = 0;
    FcPatternGetInteger(font.get(), FC_INDEX, 0, &index);
    return FontFile{reinterpret_cast<const char*>(path), index};
}

bool hasFamily(FcPattern* font, const char* family) {
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
        if (FcStrCmpIgnoreCase(name, fcText(family)) == 0)
            return true;
    }
    return false;
}

std::optional<FontFile> familyFile(const char* family) {
    const Pattern pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, fcText(family));
    return bestMatch(pattern, [family](FcPattern* font) { return hasFamily(font, family); });
}

// The best face of a generic style ("sans-serif", "serif") that covers Chinese.
std::optional<FontFile> chineseFile(const char* generic) {
    const Pattern pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, fcText(generic));
    FcPatternAddString(pattern.get(), FC_LANG, fcText("zh-cn"));
    return bestMatch(pattern, [](FcPattern* font) {
        FcLangSet* languages = nullptr;
        return FcPatternGetLangSet(font, FC_LANG, 0, &languages) == FcResultMatch &&
               FcLangSetHasLang(languages, fcText("zh-cn")) != FcLangDifferentLang;
    });
}

void appendFound(std::vector<FontFile>& files, std::optional<FontFile> file) {
    if (file)
        files.push_back(std::move(*file));
}

}  // namespace

std::vector<FontFile> fontFilesFor(std::string_view gbkName) {
    std::vector<FontFile> files;
    const bool serif = gbkName == kSerifFaceName;
    if (!serif && gbkName != kSansFaceName && !gbkName.empty()) {
        appendFound(files, familyFile(gbkToUtf8(std::string(gbkName).c_str()).c_str()));
    }
    const std::span<const char* const> families =
        serif ? std::span<const char* const>(kSerifFamilies) : kSansFamilies;
    for (const char* family : families)
        appendFound(files, familyFile(family));
    appendFound(files, chineseFile(serif ? "serif" : "sans-serif"));
    return files;
}

std::optional<FontFile> fontFileWith(char32_t cp) {
    const Pattern pattern(FcPatternCreate());
    FcCharSet* wanted = FcCharSetCreate();
    FcCharSetAddChar(wanted, cp);
    FcPatternAddCharSet(pattern.get(), FC_CHARSET, wanted);
    FcCharSetDestroy(wanted);
    return bestMatch(pattern, [cp](FcPattern* font) {
        FcCharSet* covered = nullptr;
        return FcPatternGetCharSet(font, FC_CHARSET, 0, &covered) == FcResultMatch &&
               FcCharSetHasChar(covered, cp);
    });
}

std::optional<FontFile> anyFontFile() {
    const Pattern pattern(FcPatternCreate());
    return bestMatch(pattern, [](FcPattern*) { return true; });
}

}  // namespace platform
