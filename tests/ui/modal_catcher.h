#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

// Answers every modal box that opens while it lives, remembering what it said, so that a test
// that expects a report can check it and one that does not fails instead of hanging.
class ModalCatcher : public QObject {
public:
    struct Seen {
        QString text;
        QStringList buttons;
    };

    ModalCatcher() {
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, [this] { Answer(); });
        timer_.start();
    }

    const QList<Seen>& seen() const { return seen_; }

private:
    void Answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        Seen seen;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen.text = box->text();
            for (QAbstractButton* button : box->buttons()) {
                seen.buttons << button->text();
            }
        }
        seen_ << seen;
        modal->close();
    }

    QTimer timer_;
    QList<Seen> seen_;
};
