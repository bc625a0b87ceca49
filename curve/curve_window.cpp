#include "curve/curve_window.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "curve/plot_widget.h"
#include "curve/rows_model.h"

namespace curve {
namespace {

const QString kTitle = QStringLiteral("碟形弹簧特性曲线");

struct InputDesign {
    const char* name;  // the label, which is also the accessible name
    const char* text;  // what the box holds when the window opens
    const char* hint;
};

constexpr std::array<InputDesign, 8> kInputs = {{
    {"D(mm)", "100", "外径"},
    {"d(mm)", "51", "内径"},
    {"t(mm)", "3.5", "厚度"},
    {"H(mm)", "6.3", "自由高度"},
    {"f(mm)", "", "曲线终点的变形量；空白时为 h0 = H − t"},
    {"串联片数 i", "1", "对合串联的组数"},
    {"并联片数 n", "1", "每组叠合的片数"},
    {"步数 N", "50", "曲线分为 N 步，共 N + 1 点"},
}};

}  // namespace

CurveWindow::CurveWindow(const QStringList& spring, QWidget* parent) : QWidget(parent) {
    setWindowTitle(kTitle);
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        const QString name = QString::fromUtf8(kInputs[i].name);
        auto* label = new QLabel(name, this);
        auto* edit = inputs_[i] = new QLineEdit(this);
        const bool given = i < 5 && !spring.isEmpty();
        edit->setText(given ? spring.value(static_cast<qsizetype>(i))
                            : QString::fromUtf8(kInputs[i].text));
        edit->setAccessibleName(name);
        edit->setToolTip(QString::fromUtf8(kInputs[i].hint));
        label->setBuddy(edit);
        const int row = static_cast<int>(i / 4), column = static_cast<int>(i % 4) * 2;
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1);
        connect(edit, &QLineEdit::textChanged, this, &CurveWindow::inputEdited);
    }

    plot_ = new PlotWidget(this);
    plot_->setAccessibleName(QStringLiteral("特性曲线"));
    model_ = new RowsModel(this);
    auto* table = new QTableView(this);
    table->setModel(model_);
    table->setAccessibleName(QStringLiteral("特性表"));
    // Columns fit the texts of the first rows, so that a long table does not slow typing.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setResizeContentsPrecision(64);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(plot_);
    splitter->addWidget(table);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    findings_ = new QListWidget(this);
    findings_->setAccessibleName(QStringLiteral("设计检查"));
    findings_->setMaximumHeight(110);
    auto* copy = new QPushButton(QStringLiteral("复制表格"), this);
    auto* save = new QPushButton(QStringLiteral("保存图像…"), this);
    copy->setAccessibleName(copy->text());
    save->setAccessibleName(save->text());
    connect(copy, &QPushButton::clicked, this, &CurveWindow::copyClicked);
    connect(save, &QPushButton::clicked, this, &CurveWindow::saveClicked);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(save);
    buttons->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("设计检查"), this), 0, Qt::AlignTop);
    bottom->addWidget(findings_, 1);
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(splitter, 1);
    layout->addLayout(bottom);
    resize(1100, 720);
    inputEdited();
}

CurveWindow::~CurveWindow() = default;

bool CurveWindow::savePlot(const QString& path) const {
    return plot_->save(path, kTitle);
}

void CurveWindow::inputEdited() {
    CurveInputTexts texts;
    std::string* fields[] = {&texts.D,     &texts.d,      &texts.t,        &texts.H,
                             &texts.f_end, &texts.series, &texts.parallel, &texts.steps};
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
        *fields[i] = inputs_[i]->text().toStdString();
    }
    content_ = ComputeCurve(texts);
    model_->setRows(content_.header, content_.rows);
    plot_->setPanels(content_.panels);
    findings_->clear();
    findings_->addItems(content_.findings);
    findings_->setAccessibleDescription(content_.findings.join(QLatin1Char('\n')));
}

void CurveWindow::copyClicked() {
    QApplication::clipboard()->setText(QString::fromStdString(content_.batch_text));
}

void CurveWindow::saveClicked() {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("保存图像"), kTitle + QStringLiteral(".png"),
        QStringLiteral("PNG 图像 (*.png);;SVG 图像 (*.svg)"));
    if (!path.isEmpty() && !savePlot(path)) {
        QMessageBox::warning(this, kTitle, QStringLiteral("无法写入文件 %1").arg(path));
    }
}

}  // namespace curve
