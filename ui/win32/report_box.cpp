// The fault report as Windows' own message box.
#include "ui/win32/report_box.h"

#include "ui/win32/utf8.h"

namespace ui::win32 {
namespace {

// The message box takes its button's caption from the system language; a hook renames it as
// the box is activated, before it is seen.
thread_local HHOOK hook = nullptr;
thread_local const std::wstring* button_caption = nullptr;

LRESULT CALLBACK RenameButton(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE && button_caption != nullptr) {
        SetDlgItemTextW(reinterpret_cast<HWND>(wparam), IDOK, button_caption->c_str());
        button_caption = nullptr;
    }
    return CallNextHookEx(hook, code, wparam, lparam);
}

}  // namespace

void ShowReport(HWND owner, const Report& report) {
    const std::wstring caption = Widen(report.button);
    button_caption = &caption;
    hook = SetWindowsHookExW(WH_CBT, RenameButton, nullptr, GetCurrentThreadId());
    MessageBoxW(owner, Widen(report.text).c_str(), Widen(report.title).c_str(),
                MB_OK | MB_ICONERROR);
    UnhookWindowsHookEx(hook);
    hook = nullptr;
    button_caption = nullptr;
}

}  // namespace ui::win32
