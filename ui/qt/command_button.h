// A push button that runs on Enter as well as Space when it has the focus.
#pragma once

#include <QPushButton>

namespace ui::qt {

/// A push button that, when it has the focus, runs on Enter as well as on Space, as desktop
/// users expect; it is never a window's default button.
class CommandButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace ui::qt
