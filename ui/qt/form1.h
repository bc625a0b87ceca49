// Form1, the calculator's one window, with Qt Widgets.
#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "calc/disc_spring.h"
#include "ui/text_box.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace ui::qt {

/// The calculator's one window.
///
/// The user types D, d, t, H, f into Text1 … Text5. A click on Command1 ("自动计算") hands the
/// ten boxes, as TextBox adapters, to the calculate command: it reads the five input texts,
/// turns them into numbers, evaluates the model and writes the five result texts into
/// Text6 … Text10 — or, on a fault, empties those five and the window shows the run-time error
/// report; the inputs stay as typed and the program goes on. Command2 ("重新输入") empties all
/// ten.
/// The window holds no state of its own between clicks: the boxes are the state.
///
/// Every control sits at its design position (form_design.h); nothing moves on resize.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

private slots:
    void calculateClicked();
    void clearClicked();

private:
    void reportFault(const calc::SpringFault& fault);

    std::array<QLineEdit*, 10> text_{};
    QPushButton* calculate_ = nullptr;  ///< Command1
    QPushButton* clear_ = nullptr;      ///< Command2
    std::array<std::unique_ptr<TextBox>, 10> adapters_;
    TextBoxes boxes_{};
};

}  // namespace ui::qt
