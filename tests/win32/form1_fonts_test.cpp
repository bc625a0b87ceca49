// What another process cannot see of the Win32 Form1: its fonts and the title's colour.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/form_design.h"
#include "ui/win32/form1.h"

namespace {

TEST(Form1Fonts, EachRoleHasItsFaceCharacterSetSizeAndWeight) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    ASSERT_TRUE(ui::win32::Form1::Register(instance));
    ui::win32::Form1 form(instance);
    const int dpi = static_cast<int>(GetDpiForWindow(form.window()));
    int seen = 0;
    for (HWND child = GetWindow(form.window(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT), ++seen) {
        const int index = GetDlgCtrlID(child) - 100;
        ASSERT_TRUE(index >= 0 && index < 23);
        const ui::ControlDesign& design = ui::kForm1Controls[static_cast<std::size_t>(index)];
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        const bool title = design.font == ui::FontRole::kTitle;
        const bool body = design.font == ui::FontRole::kBody;
        // Where LiSu is not installed (some Windows 10 and 11) the title takes KaiTi.
        const std::wstring face = font.lfFaceName;
        EXPECT_TRUE(title ? face == L"隶书" || face == L"楷体" : face == L"宋体") << design.name;
        EXPECT_EQ(font.lfCharSet, GB2312_CHARSET) << design.name;
        EXPECT_EQ(font.lfHeight, -MulDiv(body ? 19 : (title ? 35 : 21), dpi, 96)) << design.name;
        EXPECT_EQ(font.lfWeight, body ? FW_NORMAL : FW_BOLD) << design.name;

        // The window colours its labels; the title's text is navy.
        if (design.kind == ui::ControlKind::kLabel) {
            HDC dc = CreateCompatibleDC(nullptr);
            SendMessageW(form.window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(child));
            EXPECT_EQ(GetTextColor(dc) == RGB(0, 0, 128), title) << design.name;
            DeleteDC(dc);
        }
    }
    EXPECT_EQ(seen, 23);
}

// Moved to a monitor of 144 DPI, the form goes where Windows suggests at its designed size
// scaled, its controls with fonts of that size.
TEST(Form1Fonts, ADpiChangeScalesTheDesignNotTheSuggestedSize) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    ui::win32::Form1::Register(instance);
    ui::win32::Form1 form(instance);
    RECT suggested{50, 60, 70, 90};  // a size that is not the form's
    SendMessageW(form.window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    // The frame Windows draws at 144 DPI around the designed client area (a test process is not
    // really moved, so the frame drawn may differ: the size asked for is what counts).
    RECT designed{0, 0, ui::TwipsToPixels(ui::kClientWidthTwips, 144),
                  ui::TwipsToPixels(ui::kClientHeightTwips, 144)};
    AdjustWindowRectExForDpi(&designed, WS_OVERLAPPEDWINDOW, FALSE, 0, 144);
    RECT frame{};
    GetWindowRect(form.window(), &frame);
    EXPECT_EQ(frame.right - frame.left, designed.right - designed.left);
    EXPECT_EQ(frame.bottom - frame.top, designed.bottom - designed.top);
    EXPECT_EQ(frame.left, 50);
    EXPECT_EQ(frame.top, 60);
    HWND text1 = GetDlgItem(form.window(), 100 + 11);  // Text1
    LOGFONTW font{};
    ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(text1, WM_GETFONT, 0, 0)),
                         sizeof font, &font),
              0);
    EXPECT_EQ(font.lfHeight, -MulDiv(ui::FontPixels(ui::FontRole::kBody), 144, 96));
}

}  // namespace
