// The calculator's fonts on Windows, at a DPI.
#include "ui/win32/fonts.h"

#include <cwchar>
#include <string>

#include "ui/win32/utf8.h"

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
    static const std::wstring title = Widen(FontOf(FontRole::kTitle).face);
    static const std::wstring title_face = Installed(title.c_str()) ? title : L"楷体";
    const std::wstring face = role == FontRole::kTitle ? title_face : Widen(FontOf(role).face);
    return CreateFontW(-MulDiv(FontPixels(role), dpi, 96), 0, 0, 0, FontOf(role).weight, FALSE,
                       FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

}  // namespace ui::win32
