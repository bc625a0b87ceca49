#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

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
