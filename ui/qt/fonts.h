// The calculator's fonts by role, on Qt.
#pragma once

#include <QFont>

#include "ui/form_design.h"

namespace ui::qt {

/// The font of a role: the window's Windows face ("宋体", or "隶书" for the title) where it is
/// installed, else the closest Chinese face that is, chosen once; sized in pixels (19, 21, 35)
/// so that text keeps its proportion to the controls at any screen DPI, where Qt's high-DPI
/// scaling then scales the whole form.
QFont FontFor(FontRole role);

}  // namespace ui::qt
