// The calculator's fonts by role, as Win32 fonts.
#pragma once

#include <windows.h>

#include "ui/form_design.h"

namespace ui::win32 {

/// A new font for a role at `dpi` (the caller deletes it): "宋体", or "隶书" for the title, with
/// the GB2312 character set, so that Windows takes the real SimSun and LiSu, 19, 21 or 35
/// pixels high at 96 DPI (14.25, 15.75 and 26.25 points). Where LiSu is not installed, as on
/// some Windows 10 and 11, the title takes 楷体 (KaiTi), the nearest brush face.
HFONT CreateRoleFont(FontRole role, int dpi);

}  // namespace ui::win32
