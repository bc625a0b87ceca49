// A Qt push button that also runs on Enter when focused.
#include "ui/qt/command_button.h"

#include <QKeyEvent>

namespace ui::qt {

void CommandButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !event->isAutoRepeat()) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

}  // namespace ui::qt
