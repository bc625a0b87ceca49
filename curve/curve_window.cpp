#include "curve/curve_window.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include "curve/curve_computer.h"
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

const QString kPng = QStringLiteral("PNG 图像 (*.png)");
const QString kSvg = QStringLiteral("SVG 图像 (*.svg)");

}  // namespace

CurveWindow::CurveWindow(const QStringList& spring, QWidget* parent) : QWidget(parent) {
    setWindowTitle(kTitle);
    computer_ = new CurveComputer(this);
    connect(computer_, &CurveComputer::computed, this, &CurveWindow::contentComputed);

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
    table_ = new QTableView(this);
    table_->setModel(model_);
    table_->setAccessibleName(QStringLiteral("特性表"));
    table_->setTabKeyNavigation(false);  // Tab moves on to the buttons
    // Columns fit the texts of the first rows, so that a long table does not slow typing.
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setResizeContentsPrecision(64);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    auto* copy_cells =
        new QShortcut(QKeySequence::Copy, table_, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(copy_cells, &QShortcut::activated, this, &CurveWindow::copySelection);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(plot_);
    splitter->addWidget(table_);
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
    status_ = new QLabel(this);
    status_->setAccessibleName(QStringLiteral("状态"));
    status_->setMinimumWidth(status_->fontMetrics().horizontalAdvance(QStringLiteral("正在计算…")));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(save);
    buttons->addWidget(status_);
    buttons->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("设计检查"), this), 0, Qt::AlignTop);
    bottom->addWidget(findings_, 1);
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(splitter, 1);
    layout->addLayout(bottom);

    // Within the screen at any scale factor, room left for the window's frame.
    const QRect available = screen()->availableGeometry();
    const QSize size = QSize(1100, 720)
                           .boundedTo(available.size() * 0.9)
                           .expandedTo(minimumSizeHint())
                           .boundedTo(available.size());
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available));
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
    status_->setText(QStringLiteral("正在计算…"));
    computer_->request(std::move(texts));
}

void CurveWindow::contentComputed(std::shared_ptr<const CurveContent> content) {
    content_ = std::move(content);
    model_->setTable(std::shared_ptr<const CurveTable>(content_, &content_->table));
    table_->clearSpans();
    for (const int row : content_->table.fault_rows) {
        table_->setSpan(row, 1, 1, content_->table.fault_span);
    }
    plot_->setPanels(content_->panels);
    findings_->clear();
    findings_->addItems(content_->findings);
    findings_->setAccessibleDescription(content_->findings.join(QLatin1Char('\n')));
    status_->clear();
}

void CurveWindow::awaitContent() {
    if (!computer_->busy()) {
        return;
    }
    QEventLoop loop;
    connect(computer_, &CurveComputer::computed, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void CurveWindow::copyClicked() {
    awaitContent();
    if (!content_->no_table.isEmpty()) {
        QMessageBox::information(this, kTitle,
                                 QStringLiteral("没有可复制的表格：%1").arg(content_->no_table));
        return;
    }
    QApplication::clipboard()->setText(QString::fromStdString(content_->table.text));
}

void CurveWindow::saveClicked() {
    awaitContent();
    if (!content_->no_plot.isEmpty()) {
        QMessageBox::information(this, kTitle,
                                 QStringLiteral("没有可保存的曲线：%1").arg(content_->no_plot));
        return;
    }
    QFileDialog dialog(this, QStringLiteral("保存图像"), kTitle + QStringLiteral(".png"),
                       kPng + QStringLiteral(";;") + kSvg);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    // A name typed without an extension gets the chosen format's.
    QString path = dialog.selectedFiles().constFirst();
    const bool svg = dialog.selectedNameFilter() == kSvg;
    if (QFileInfo(path).suffix().isEmpty()) {
        path += svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    }
    if (!savePlot(path)) {
        QMessageBox::warning(this, kTitle, QStringLiteral("无法写入文件 %1").arg(path));
    }
}

void CurveWindow::copySelection() {
    const QModelIndexList selected = table_->selectionModel()->selectedIndexes();
    if (selected.isEmpty()) {
        return;
    }
    int top = selected.first().row(), bottom = top;
    int left = selected.first().column(), right = left;
    for (const QModelIndex& index : selected) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    QString text;
    for (int row = top; row <= bottom; ++row) {
        for (int column = left; column <= right; ++column) {
            if (column > left) {
                text += QLatin1Char('\t');
            }
            if (table_->selectionModel()->isSelected(model_->index(row, column))) {
                text += model_->index(row, column).data().toString();
            }
        }
        text += QLatin1Char('\n');
    }
    QApplication::clipboard()->setText(text);
}

}  // namespace curve
