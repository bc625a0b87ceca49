#pragma once

class QApplication;

namespace ui {

/// Everything the program sets up before its window: a fixed widget style (so the form looks
/// and measures the same on every desktop), the Chinese font substitutes, Qt's own Chinese
/// texts for standard buttons, and the program icon.
void ConfigureApplication(QApplication& app);

}  // namespace ui
