#include "platform/win32/font_faces.h"

#include <windows.h>

#include <span>

#include "platform/font.h"
#include "platform/win32/wide_text.h"

namespace platform::win32 {

namespace {

// The families that stand in for the two Chinese face names, best first.
constexpr const wchar_t* kSansFamilies[] = {L"SimHei", L"Microsoft YaHei"};
constexpr const wchar_t* kSerifFamilies[] = {L"SimSun", L"NSimSun", L"Microsoft YaHei"};

// The first family enumerated, skipping the rotated ones ("@SimSun") made for vertical text.
int CALLBACK takeFirstFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM found) {
    if (font->lfFaceName[0] == L'@')
        return 1;
    *reinterpret_cast<std::optional<std::wstring>*>(found) = font->lfFaceName;
    return 0;
}

// An installed family of the character set; with a name, only that family.
std::optional<std::wstring> enumerateFamily(BYTE charset, const std::wstring& name) {
    LOGFONTW wanted{};
    wanted.lfCharSet = charset;
    if (name.size() >= LF_FACESIZE)
        return std::nullopt;
    name.copy(wanted.lfFaceName, name.size());
    std::optional<std::wstring> found;
    const HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, takeFirstFamily, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

void appendInstalled(std::vector<std::wstring>& families, const std::wstring& name) {
    if (enumerateFamily(DEFAULT_CHARSET, name))
        families.push_back(name);
}

}  // namespace

std::vector<std::wstring> familiesFor(std::string_view gbkName) {
    std::vector<std::wstring> families;
    const bool serif = gbkName == kSerifFaceName;
    if (!serif && gbkName != kSansFaceName && !gbkName.empty())
        appendInstalled(families, wideFromGbk(gbkName));
    const std::span<const wchar_t* const> standIns =
        serif ? std::span<const wchar_t* const>(kSerifFamilies) : kSansFamilies;
    for (const wchar_t* family : standIns)
        appendInstalled(families, family);
    if (families.empty()) {
        if (std::optional<std::wstring> chinese = anyChineseFamily())
            families.push_back(*chinese);
    }
    return families;
}

std::optional<std::wstring> anyChineseFamily() {
    return enumerateFamily(GB2312_CHARSET, L"");
}

std::optional<std::wstring> anyLatinFamily() {
    return enumerateFamily(ANSI_CHARSET, L"");
}

}  // namespace platform::win32
