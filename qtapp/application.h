#pragma once

#include <QString>

class QApplication;

namespace qtapp {

/// Everything a program sets up before its window: a fixed widget style (so a form looks and
/// measures the same on every desktop), Qt's own texts for standard buttons in Chinese (or in
/// English, Qt's own, when not `chinese`), and the icon ":/icons/<program>-<size>.rgba" (16, 32
/// and 48 pixels square) under the program's name, which is also its desktop entry's.
void ConfigureApplication(QApplication& app, const QString& program = QStringLiteral("disc-spring"),
                          bool chinese = true);

/// Qt's own texts (standard buttons, dialogs, a tab bar's scroll buttons) in Chinese or in
/// English from now on.
void SpeakChinese(bool chinese);

/// Whether there is somewhere to show a window: a platform chosen (QT_QPA_PLATFORM), or on
/// Linux an X or a Wayland display named. Without one Qt aborts at start (status 134); call
/// before the QApplication exists.
bool HasDisplay();

/// The calculator's sentence for a missing display.
inline constexpr const char* kNoDisplay =
    "没有可以打开窗口的显示（DISPLAY 和 WAYLAND_DISPLAY 都没有设置）；不开窗口请用 "
    "disc-spring-batch";

/// Says in one line on standard error, "program: why", that `program` has no display to open its
/// window on, and gives the exit status for it: 2, as for any other thing the program cannot use.
int RefuseWithoutDisplay(const char* program, const char* why = kNoDisplay);

}  // namespace qtapp
