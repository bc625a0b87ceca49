#include "qtapp/application.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QLibraryInfo>
#include <QPixmap>
#include <QStyleFactory>
#include <QTranslator>
#include <cstdio>

namespace qtapp {

bool HasDisplay() {
#ifdef Q_OS_LINUX
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        if (!qEnvironmentVariableIsEmpty(name)) {
            return true;
        }
    }
    return false;
#else
    return true;
#endif
}

int RefuseWithoutDisplay(const char* program, const char* why) {
    std::fprintf(stderr, "%s: %s\n", program, why);
    return 2;
}

namespace {

// Qt's Chinese texts, loaded once, installed while the program speaks Chinese.
QTranslator* Chinese() {
    static QTranslator* translator = [] {
        auto* made = new QTranslator(qApp);
        if (!made->load(QStringLiteral("qtbase_zh_CN"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            delete made;
            return static_cast<QTranslator*>(nullptr);
        }
        return made;
    }();
    return translator;
}

}  // namespace

void SpeakChinese(bool chinese) {
    if (QTranslator* translator = Chinese()) {
        chinese ? QApplication::installTranslator(translator)
                : QApplication::removeTranslator(translator);
    }
}

// The application is only required to exist: Qt's translators and icon are process-wide.
void ConfigureApplication(QApplication& /*app*/, const QString& program, bool chinese) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    // Qt's standard buttons speak the program's language, whatever the system's.
    SpeakChinese(chinese);

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
