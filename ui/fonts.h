#pragma once

#include <QFont>

#include "ui/form_design.h"

namespace ui {

/// Makes the window's Windows font faces ("宋体", "隶书") fall back to the closest Chinese faces
/// installed on this system. Call once, before the window is built.
void RegisterFontSubstitutes();

/// The font of a role, sized in pixels (19, 21, 35) so that text keeps its proportion to the
/// controls at any screen DPI; Qt's high-DPI scaling then scales the whole form.
QFont FontFor(FontRole role);

}  // namespace ui
