// The selection panel: the requirement's fields and the candidates.
#include "curve/selection_panel.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include "curve/words.h"

namespace curve {
namespace {

constexpr int kRankRole = Qt::UserRole;
constexpr int kKeyRole = Qt::UserRole + 1;

// A cell that sorts by the number it shows, when it shows one, whatever its digits.
class CandidateItem : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& other) const override {
        const QVariant a = data(kKeyRole), b = other.data(kKeyRole);
        if (a.isValid() && b.isValid()) {
            return a.toDouble() < b.toDouble();
        }
        return text() < other.text();
    }
};

}  // namespace

SelectionPanel::SelectionPanel(QWidget* parent) : QWidget(parent) {
    setWindowTitle(Say(design::Word::kSelection));
    QGridLayout* grid = buildRequirement();
    buildCandidates();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buildCommands());
    layout->addWidget(table_, 1);
    connect(&watcher_, &QFutureWatcher<design::SelectionSheet>::finished, this,
            &SelectionPanel::computed);
}

QGridLayout* SelectionPanel::buildRequirement() {
    auto* grid = new QGridLayout;
    for (std::size_t k = 0; k < 2; ++k) {
        const QString name = Say(design::kRequirementPointNames[k]);
        const int row = static_cast<int>(k);
        grid->addWidget(new QLabel(name, this), row, 0);
        auto* given = given_[k] = new QComboBox(this);
        for (const rows::Phrase& choice : design::kGivenChoices) {
            given->addItem(Say(choice));
        }
        given->setAccessibleName(name + QLatin1Char(' ') + Say(design::kGivenName));
        grid->addWidget(given, row, 1);
        connect(given, &QComboBox::currentIndexChanged, this, &SelectionPanel::edited);
        for (std::size_t f = 0; f < design::kRequirementPointFields.size(); ++f) {
            const design::RequirementPointField& field = design::kRequirementPointFields[f];
            auto* label = new QLabel(Say(field.caption), this);
            auto* edit = point_[k][f] = new QLineEdit(this);
            edit->setAccessibleName(name + QLatin1Char(' ') + Say(field.caption));
            edit->setToolTip(Say(field.hint) + (k == 1 ? Say(design::kSecondPointHint) : ""));
            label->setBuddy(edit);
            grid->addWidget(label, row, 2 + 2 * static_cast<int>(f));
            grid->addWidget(edit, row, 3 + 2 * static_cast<int>(f));
            connect(edit, &QLineEdit::textChanged, this, &SelectionPanel::edited);
        }
    }
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const design::RequirementField& field = design::kRequirementInputs[i];
        auto* label = new QLabel(Say(field.label), this);
        auto* edit = fields_[i] = new QLineEdit(this);
        edit->setAccessibleName(Say(field.label));
        edit->setToolTip(Say(field.hint));
        label->setBuddy(edit);
        const int slot = static_cast<int>(i);
        grid->addWidget(label, 2 + slot / 4, slot % 4 * 2);
        grid->addWidget(edit, 2 + slot / 4, slot % 4 * 2 + 1);
        connect(edit, &QLineEdit::textChanged, this, &SelectionPanel::edited);
    }
    // The choices on a row of their own, under the fields: none lies over another.
    const int choices = 2 + (static_cast<int>(fields_.size()) + 3) / 4;
    dynamic_ = new QCheckBox(Say(design::kDynamicCaption), this);
    dynamic_->setAccessibleName(Say(design::Word::kDynamic));
    grid->addWidget(dynamic_, choices, 0, 1, 4);
    connect(dynamic_, &QCheckBox::toggled, this, &SelectionPanel::edited);
    long_stacks_ = new QCheckBox(Say(design::kLongStacksLabel), this);
    long_stacks_->setAccessibleName(Say(design::kLongStacksLabel));
    long_stacks_->setToolTip(Say(design::kLongStacksHint));
    grid->addWidget(long_stacks_, choices, 4, 1, 4);
    connect(long_stacks_, &QCheckBox::toggled, this, &SelectionPanel::edited);

    return grid;
}

void SelectionPanel::buildCandidates() {
    summary_ = new QLabel(this);
    summary_->setAccessibleName(Say(design::Word::kSelectionSaid));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    table_ = new QTableWidget(this);
    table_->setAccessibleName(Say(design::Word::kCandidates));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setTabKeyNavigation(false);
    table_->setSortingEnabled(false);  // the ranking is the order; a header click sorts a copy
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    connect(table_, &QTableWidget::cellDoubleClicked, this, &SelectionPanel::openClicked);
    connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        // Ascending first; a second click on the same column turns the order round.
        QHeaderView* header = table_->horizontalHeader();
        const bool again =
            header->isSortIndicatorShown() && header->sortIndicatorSection() == column;
        const Qt::SortOrder order = again && header->sortIndicatorOrder() == Qt::AscendingOrder
                                        ? Qt::DescendingOrder
                                        : Qt::AscendingOrder;
        table_->sortItems(column, order);
        header->setSortIndicator(column, order);
        header->setSortIndicatorShown(true);
    });
}

QHBoxLayout* SelectionPanel::buildCommands() {
    auto* open = new QPushButton(Say(design::Word::kOpenAsDesign), this);
    open->setAccessibleName(open->text());
    auto* copy = new QPushButton(Say(design::Word::kCopyCandidates), this);
    copy->setAccessibleName(copy->text());
    connect(open, &QPushButton::clicked, this, &SelectionPanel::openClicked);
    connect(copy, &QPushButton::clicked, this, &SelectionPanel::copyClicked);
    auto* buttons = new QHBoxLayout;
    more_ = new QPushButton(Say(design::Word::kMore), this);
    more_->setAccessibleName(Say(design::Word::kMoreCandidates));
    more_->setVisible(false);
    connect(more_, &QPushButton::clicked, this, &SelectionPanel::moreClicked);
    buttons->addWidget(summary_, 1);
    buttons->addWidget(more_);
    buttons->addWidget(open);
    buttons->addWidget(copy);

    return buttons;
}

void SelectionPanel::setDesign(const design::DesignTexts& texts) {
    design_ = texts;
    const design::RequirementTexts& r = texts.requirement;
    std::vector<QSignalBlocker> quiet;
    for (QObject* field : findChildren<QWidget*>()) {
        quiet.emplace_back(field);
    }
    for (std::size_t k = 0; k < 2; ++k) {
        given_[k]->setCurrentIndex(r.points[k].force_given ? 1 : 0);
        point_[k][0]->setText(QString::fromStdString(r.points[k].s));
        point_[k][1]->setText(QString::fromStdString(r.points[k].F));
        point_[k][2]->setText(QString::fromStdString(r.points[k].tolerance));
    }
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i]->setText(QString::fromStdString(r.*design::kRequirementInputs[i].text));
    }
    dynamic_->setChecked(r.dynamic);
    long_stacks_->setChecked(r.long_stacks);
    quiet.clear();
    start();
}

void SelectionPanel::updateDesign(const design::DesignTexts& texts) {
    design_ = texts;
    design_.requirement = requirement();
    start();
}

design::RequirementTexts SelectionPanel::requirement() const {
    design::RequirementTexts r;
    for (std::size_t k = 0; k < 2; ++k) {
        r.points[k] = {given_[k]->currentIndex() == 1, point_[k][0]->text().toStdString(),
                       point_[k][1]->text().toStdString(), point_[k][2]->text().toStdString()};
    }
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        r.*design::kRequirementInputs[i].text = fields_[i]->text().toStdString();
    }
    r.dynamic = dynamic_->isChecked();
    r.long_stacks = long_stacks_->isChecked();
    return r;
}

void SelectionPanel::edited() {
    best_ = design::kShownAtFirst;
    design_.requirement = requirement();
    emit requirementEdited();
    start();
}

void SelectionPanel::start() {
    if (watcher_.isRunning()) {
        again_ = true;
        return;
    }
    summary_->setText(Say(design::Word::kSelecting));
    watcher_.setFuture(QtConcurrent::run([texts = design_, best = best_, language = Language()] {
        return design::ComputeSelection(texts, best, language);
    }));
}

void SelectionPanel::computed() {
    if (again_) {
        again_ = false;
        start();
        return;
    }
    shown_ = watcher_.result();
    const design::SelectionSheet& sheet = *shown_;
    summary_->setText(Say(design::SelectionSummary(sheet)));
    summary_->setAccessibleDescription(summary_->text());
    more_->setVisible(sheet.CanShowMore());
    const std::vector<std::string> header = design::SelectionHeaderCells(sheet);
    const std::size_t rows = sheet.problem ? 0 : sheet.Shown().size();
    table_->clear();
    table_->horizontalHeader()->setSortIndicatorShown(false);
    table_->setColumnCount(static_cast<int>(header.size()));
    table_->setRowCount(static_cast<int>(rows));
    QStringList names;
    for (const std::string& name : header) {
        names << QString::fromStdString(name);
    }
    table_->setHorizontalHeaderLabels(names);
    for (std::size_t row = 0; row < rows; ++row) {
        const std::vector<std::string> cells =
            design::SelectionRowCells(sheet, row, rows::Precision::kReader);
        const auto keys = design::SelectionSortKeys(sheet, row);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            auto* item = new CandidateItem(QString::fromStdString(cells[c]));
            item->setToolTip(item->text());                   // whole, where its column is cut
            item->setData(kRankRole, static_cast<int>(row));  // the rank, whatever the sort
            if (keys[c]) {
                item->setData(kKeyRole, *keys[c]);
            }
            table_->setItem(static_cast<int>(row), static_cast<int>(c), item);
        }
    }
    // Every column as wide as its cells, but a long text (where a spring's dimensions come from)
    // gives way to the numbers after it: cut to twelve characters, whole in its tip.
    table_->resizeColumnsToContents();
    const int widest = fontMetrics().horizontalAdvance(QString(12, QChar(0x6587)));
    for (int c = 0; c < table_->columnCount(); ++c) {
        table_->setColumnWidth(c, std::min(table_->columnWidth(c), widest));
    }
    if (rows > 0) {
        table_->selectRow(0);
    }
}

void SelectionPanel::openClicked() {
    const auto selected = table_->selectionModel()->selectedRows();
    if (!shown_ || selected.isEmpty() || watcher_.isRunning()) {
        return;
    }
    const int rank = table_->item(selected.first().row(), 0)->data(kRankRole).toInt();
    emit openRequested(design::OpenCandidate(design_, *shown_, static_cast<std::size_t>(rank)));
}

void SelectionPanel::moreClicked() {
    best_ = design::MoreShown(best_);
    start();
}

void SelectionPanel::copyClicked() {
    if (shown_) {
        QGuiApplication::clipboard()->setText(
            QString::fromStdString(design::SelectionCopyText(*shown_)));
    }
}

}  // namespace curve
