// disc-spring.exe: the disc-spring calculator's window on Windows.

#include <windows.h>

#include "ui/win32/form1.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    if (!ui::win32::Form1::Register(instance)) {
        return 1;
    }
    ui::win32::Form1 form(instance);
    ShowWindow(form.window(), show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab, Shift+Tab, Enter and Escape as in a dialog.
        if (!IsDialogMessageW(form.window(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
