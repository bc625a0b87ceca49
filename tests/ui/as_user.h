#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <clocale>
#include <functional>
#include <string>

// A control as a user finds it: by its accessible name or, for a button, by its caption.
template <typename Widget>
Widget* Find(const QWidget* window, const QString& name) {
    for (Widget* w : window->findChildren<Widget*>()) {
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (w->accessibleName() == name || (button != nullptr && button->text() == name)) {
            return w;
        }
    }
    return nullptr;
}

// A run under a comma-decimal locale (LC_ALL in the environment) proves nothing unless the C
// library and Qt both took that locale: a machine without it would pass vacuously.
inline bool LocaleFromEnvironmentTaken() {
    const QByteArray asked = qgetenv("LC_ALL");
    return asked.isEmpty() || (std::setlocale(LC_NUMERIC, nullptr) == asked &&
                               std::string(std::localeconv()->decimal_point) == "," &&
                               QLocale().decimalPoint() == QStringLiteral(","));
}

// Closes every modal box that opens while it lives and keeps what each said, its text and then
// its buttons' captions, so that a test expecting a report can check it and one that does not
// fails instead of hanging.
class ModalCatcher : public QObject {
public:
    QList<QStringList> seen;
    std::function<void()> when_shown;  // runs as each box is seen, before it closes

    ModalCatcher() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                QStringList said;
                if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                    said << box->text();
                    for (QAbstractButton* button : box->buttons()) {
                        said << button->text();
                    }
                }
                seen << said;
                if (when_shown) {
                    when_shown();
                }
                modal->close();
            }
        });
        timer_.start(10);
    }

private:
    QTimer timer_;
};
