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

    QIcon icon;
    for (const char* size : {"16", "32", "48", "256"}) {
        icon.addFile(QStringLiteral(":/icons/%1-%2.png").arg(program, QLatin1String(size)));
    }
    QApplication::setWindowIcon(icon);
    QApplication::setApplicationName(program);
    QApplication::setDesktopFileName(program);
}

}  // namespace ui
