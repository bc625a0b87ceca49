#include "qtapp/application.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QLibraryInfo>
#include <QPixmap>
#include <QStyleFactory>
#include <QTranslator>

namespace qtapp {

void ConfigureApplication(QApplication& app, const QString& program) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    // The program speaks Chinese whatever the system language, and so do Qt's standard buttons.
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }

    // Only the sizes a title bar and a task bar show, as raw RGBA pixels: every size given is
    // sent to the window system before the first paint, and decoding PNGs there cost more than
    // the rest of the set-up together. The desktop entry's icons are the installed PNGs.
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        QFile file(QStringLiteral(":/icons/%1-%2.rgba").arg(program).arg(size));
        const QByteArray pixels = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        if (pixels.size() == size * size * 4) {
            icon.addPixmap(
                QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(pixels.constData()), size,
                                          size, QImage::Format_RGBA8888)
                                       .copy()));
        }
    }
    QApplication::setWindowIcon(icon);
    QApplication::setApplicationName(program);
    QApplication::setDesktopFileName(program);
}

}  // namespace qtapp
