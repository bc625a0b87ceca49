// A Qt line edit seen through the TextBox interface.
#pragma once

#include <QLineEdit>

#include "ui/text_box.h"

namespace ui::qt {

/// A window text box seen through the TextBox interface.
class LineEditBox final : public TextBox {
public:
    explicit LineEditBox(QLineEdit* edit) : edit_(edit) {}

    std::string Text() const override { return edit_->text().toStdString(); }
    void SetText(std::string_view text) override {
        edit_->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        // A result is often wider than its box: show its leading digits, not its tail.
        edit_->setCursorPosition(0);
    }

private:
    QLineEdit* edit_;
};

}  // namespace ui::qt
