#include "ui/win32/fonts.h"

#include <cwchar>

namespace ui::win32 {
namespace {

bool Installed(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = GB2312_CHARSET;
    std::wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(
        screen, &wanted,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
            *reinterpret_cast<bool*>(found) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

}  // namespace

HFONT CreateRoleFont(FontRole role, int dpi) {
    static const wchar_t* const title_face = Installed(L"隶书") ? L"隶书" : L"楷体";
    const int pixels = role == FontRole::kBody ? 19 : (role == FontRole::kButton ? 21 : 35);
    return CreateFontW(
        -MulDiv(pixels, dpi, 96), 0, 0, 0, role == FontRole::kBody ? FW_NORMAL : FW_BOLD, FALSE,
        FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
        DEFAULT_PITCH | FF_DONTCARE, role == FontRole::kTitle ? title_face : L"宋体");
}

}  // namespace ui::win32
