// A result box that selects its whole text when Tab brings the focus to it.
#pragma once

#include <QFocusEvent>
#include <QLineEdit>

namespace ui::qt {

/// A result box: a text box that, when Tab brings the focus to it, selects its whole text with
/// the caret at its start, so that a result wider than the box keeps its sign and leading
/// digits in view (a plain box puts the caret at the end and scrolls there).
class ResultBox final : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
            const auto length = static_cast<int>(text().size());
            setSelection(length, -length);
        }
    }
};

}  // namespace ui::qt
