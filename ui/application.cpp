#include "ui/application.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTranslator>

#include "ui/fonts.h"

namespace ui {

void ConfigureApplication(QApplication& app, const QString& program) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    RegisterFontSubstitutes();

    // The program speaks Chinese whatever the system language, and so do Qt's standard buttons.
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }

    // Only the sizes a title bar and a task bar show: every size given is decoded and sent to
    // the window system before the first paint, and the 256-pixel one cost more than the rest
    // of the set-up together. The desktop entry's icon comes from the installed files.
    QIcon icon;
    for (const char* size : {"16", "32", "48"}) {
        icon.addFile(QStringLiteral(":/icons/%1-%2.png").arg(program, QLatin1String(size)));
    }
    QApplication::setWindowIcon(icon);
    QApplication::setApplicationName(program);
    QApplication::setDesktopFileName(program);
}

}  // namespace ui
