// The fault report in a Windows message box.
#pragma once

#include <windows.h>

#include "ui/report.h"

namespace ui::win32 {

/// Shows the report as Windows' own message box, modal to `owner`, with the error icon and a
/// 确定 button whatever the system language.
void ShowReport(HWND owner, const Report& report);

}  // namespace ui::win32
