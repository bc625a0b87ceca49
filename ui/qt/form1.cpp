// Form1 with Qt Widgets, laid out from the design table.
#include "ui/qt/form1.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "ui/commands.h"
#include "ui/form_design.h"
#include "ui/qt/command_button.h"
#include "ui/qt/fonts.h"
#include "ui/qt/line_edit_box.h"
#include "ui/qt/result_box.h"
#include "ui/report.h"

namespace ui::qt {
namespace {

QRect PixelGeometry(const ControlDesign& design) {
    return QRect(TwipsToPixels(design.left), TwipsToPixels(design.top), TwipsToPixels(design.width),
                 TwipsToPixels(design.height));
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromUtf8(kForm1Caption));
    setWindowTitle(QString::fromUtf8(kForm1Caption));
    resize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));

    std::vector<std::pair<int, QWidget*>> focus_order;
    std::vector<std::pair<int, QLabel*>> box_labels;
    for (const ControlDesign& design : kForm1Controls) {
        const QString caption = QString::fromUtf8(design.caption);
        QWidget* control = nullptr;
        QRect geometry = PixelGeometry(design);
        switch (design.kind) {
            case ControlKind::kTextBox:
                // Text6 … Text10 hold results.
                control = text_[design.box - 1] =
                    design.box > 5 ? new ResultBox(this) : new QLineEdit(this);
                break;
            case ControlKind::kButton:
                control = (design.command == Command::kCalculate ? calculate_ : clear_) =
                    new CommandButton(caption, this);
                break;
            case ControlKind::kLabel: {
                auto* label = new QLabel(caption, this);
                label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                if (design.index >= 0) {
                    label->setProperty("index", design.index);
                }
                if (design.box > 0) {
                    box_labels.emplace_back(design.box, label);
                }
                if (const FontDesign& font = FontOf(design.font); font.coloured) {
                    QPalette palette = label->palette();
                    palette.setColor(QPalette::WindowText,
                                     QColor(font.colour.r, font.colour.g, font.colour.b));
                    label->setPalette(palette);
                }
                // A label whose design height is less than a line of its font grows downwards,
                // so that its caption is never cut off.
                geometry.setHeight(
                    std::max(geometry.height(), QFontMetrics(FontFor(design.font)).height()));
                control = label;
                break;
            }
        }
        control->setObjectName(QString::fromUtf8(design.name));
        control->setFont(FontFor(design.font));
        control->setGeometry(geometry);
        if (design.kind != ControlKind::kLabel) {
            focus_order.emplace_back(design.tab_index, control);
        }
    }

    // Each label names its box for screen readers; nothing visible changes.
    for (const auto& [box, label] : box_labels) {
        label->setBuddy(text_[box - 1]);
        text_[box - 1]->setAccessibleName(label->text());
    }

    std::sort(focus_order.begin(), focus_order.end());
    for (std::size_t i = 1; i < focus_order.size(); ++i) {
        setTabOrder(focus_order[i - 1].second, focus_order[i].second);
    }
    focus_order.front().second->setFocus();

    for (std::size_t i = 0; i < text_.size(); ++i) {
        adapters_[i] = std::make_unique<LineEditBox>(text_[i]);
        boxes_[i] = adapters_[i].get();
    }
    connect(calculate_, &QPushButton::clicked, this, &Form1::calculateClicked);
    connect(clear_, &QPushButton::clicked, this, &Form1::clearClicked);
}

Form1::~Form1() = default;

void Form1::calculateClicked() {
    Calculate(boxes_, [this](const calc::SpringFault& fault) { reportFault(fault); });
}

void Form1::clearClicked() {
    Clear(boxes_);
}

void Form1::reportFault(const calc::SpringFault& fault) {
    const Report report = ReportFor(fault);
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(report.title),
                    QString::fromStdString(report.text), QMessageBox::Ok, this);
    box.button(QMessageBox::Ok)->setText(QString::fromStdString(report.button));
    box.exec();
}

}  // namespace ui::qt
