#pragma once

#include <QString>

class QApplication;

namespace qtapp {

/// Everything a program sets up before its window: a fixed widget style (so a form looks and
/// measures the same on every desktop), Qt's own Chinese texts for standard buttons, and the
/// icon ":/icons/<program>-<size>.rgba" (16, 32 and 48 pixels square) under the program's name,
/// which is also its desktop entry's.
void ConfigureApplication(QApplication& app,
                          const QString& program = QStringLiteral("disc-spring"));

}  // namespace qtapp
