// The design window: the inputs, the plot and table, the working points, the checks.
#include "curve/curve_window.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "calc/materials.h"
#include "curve/curve_computer.h"
#include "curve/data_sheet.h"
#include "curve/design_io.h"
#include "curve/fatigue_dialog.h"
#include "curve/packets_dialog.h"
#include "curve/plot_widget.h"
#include "curve/selection_panel.h"
#include "curve/table_model.h"
#include "curve/words.h"
#include "design/face_words.h"
#include "design/sheet_text.h"
#include "qtapp/application.h"
#include "rows/option_text.h"
#include "runtime/number_text.h"

namespace curve {
namespace {

using design::kInputs;
using design::Word;

QStringList Texts(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts) {
        list << QString::fromStdString(text);
    }
    return list;
}

// Where an input stands in the grid, four to a row: the material picker where the inputs'
// table puts it, the working points last.
constexpr int kMaterialSlot = static_cast<int>(design::MaterialPickerSlot());
constexpr int SlotOf(std::size_t input) {
    return static_cast<int>(input) < kMaterialSlot ? static_cast<int>(input)
                                                   : static_cast<int>(input) + 1;
}

QPushButton* Button(Word caption, QWidget* parent) {
    auto* button = new QPushButton(Say(caption), parent);
    button->setAccessibleName(button->text());
    return button;
}

}  // namespace

CurveWindow::CurveWindow(const design::DesignTexts& inputs, QWidget* parent) : QWidget(parent) {
    setWindowTitle(Say(Word::kTitle));
    computer_ = new CurveComputer(this);
    connect(computer_, &CurveComputer::computed, this, &CurveWindow::sheetComputed);

    // Built in the order Tab goes through them.
    QGridLayout* grid = buildInputs();
    QSplitter* views = buildViews();
    QWidget* said = buildSaid();
    QHBoxLayout* commands = buildCommands();
    // The plot and tables above, what is said of the design below; the user moves the border.
    halves_ = new QSplitter(Qt::Vertical, this);
    halves_->addWidget(views);
    halves_->addWidget(said);
    halves_->setStretchFactor(0, 3);
    halves_->setStretchFactor(1, 1);
    halves_->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(halves_, 1);
    layout->addLayout(commands);

    // Within the screen at any scale factor, room left for the window's frame.
    const QRect available = screen()->availableGeometry();
    const QSize size = QSize(1200, 800)
                           .boundedTo(available.size() * 0.9)
                           .expandedTo(minimumSizeHint())
                           .boundedTo(available.size());
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available));
    setInputs(inputs);
    saved_ = inputs;
    showSaved();
}

QGridLayout* CurveWindow::buildInputs() {
    auto* grid = new QGridLayout;
    const auto place = [this, grid](int slot, const QString& name, QWidget* field) {
        auto* label = new QLabel(name, this);
        label->setBuddy(field);
        grid->addWidget(label, slot / 4, slot % 4 * 2);
        grid->addWidget(field, slot / 4, slot % 4 * 2 + 1);
    };
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        const QString name = Say(kInputs[i].label);
        auto* edit = inputs_[i] = new QLineEdit(this);
        edit->setAccessibleName(name);
        edit->setToolTip(Say(kInputs[i].hint));
        place(SlotOf(i), name, edit);
        connect(edit, &QLineEdit::textChanged, this, &CurveWindow::inputEdited);
    }
    material_ = new QComboBox(this);
    material_->setAccessibleName(Say(design::kMaterialLabel));
    material_->addItem(Say(design::kOtherMaterial));
    for (std::size_t k = 0; k < calc::kMaterials.size(); ++k) {
        material_->addItem(Say(rows::MaterialName(k, Language())));
    }
    place(kMaterialSlot, Say(design::kMaterialLabel), material_);
    connect(material_, &QComboBox::activated, this, &CurveWindow::materialChosen);
    for (std::size_t k = 0; k < 2; ++k) {
        const QString name = Say(design::kPointNames[k]);
        auto* by = point_by_[k] = new QComboBox(this);
        for (const rows::Phrase& choice : design::kPointByChoices) {
            by->addItem(Say(choice));
        }
        by->setAccessibleName(name + QLatin1Char(' ') + Say(design::kPointByName));
        by->setToolTip(Say(design::kPointByHint));
        auto* value = point_value_[k] = new QLineEdit(this);
        value->setAccessibleName(name);
        value->setToolTip(Say(design::kPointHint));
        auto* row = new QHBoxLayout;
        row->addWidget(by);
        row->addWidget(value, 1);
        auto* holder = new QWidget(this);
        holder->setLayout(row);
        row->setContentsMargins(0, 0, 0, 0);
        place(SlotOf(kInputs.size()) + static_cast<int>(k), name, holder);
        connect(by, &QComboBox::currentIndexChanged, this, &CurveWindow::inputEdited);
        connect(value, &QLineEdit::textChanged, this, &CurveWindow::inputEdited);
    }
    load_ = new QComboBox(this);
    for (const design::LoadChoice& choice : design::kLoads) {
        load_->addItem(Say(choice.label));
    }
    load_->setAccessibleName(Say(design::kLoadLabel));
    load_->setToolTip(Say(design::kLoadHint));
    place(SlotOf(kInputs.size()) + 2, Say(design::kLoadLabel), load_);
    connect(load_, &QComboBox::currentIndexChanged, this, &CurveWindow::inputEdited);
    // Beside the working points: from a requirement to a spring, in a panel of its own, and the
    // fatigue lines the cycle between the points is judged against. Side by side over the
    // rest of the row, so that no column is widened for them.
    QPushButton* select = Button(Word::kSelect, this);
    select->setToolTip(Say(Word::kSelectHint));
    connect(select, &QPushButton::clicked, this, &CurveWindow::selectClicked);
    QPushButton* fatigue = Button(Word::kFatigue, this);
    fatigue->setToolTip(Say(Word::kFatigueHint));
    connect(fatigue, &QPushButton::clicked, this, &CurveWindow::fatigueClicked);
    outer_edge_ = new QCheckBox(Say(design::kOuterEdgeLabel), this);
    outer_edge_->setAccessibleName(Say(design::kOuterEdgeLabel));
    outer_edge_->setToolTip(Say(design::kOuterEdgeHint));
    connect(outer_edge_, &QCheckBox::toggled, this, &CurveWindow::inputEdited);
    packets_button_ = Button(Word::kPackets, this);
    packets_button_->setToolTip(Say(design::kPacketsHint));
    connect(packets_button_, &QPushButton::clicked, this, &CurveWindow::packetsClicked);
    auto* doors = new QHBoxLayout;
    doors->addWidget(outer_edge_);
    doors->addWidget(select);
    doors->addWidget(fatigue);
    doors->addWidget(packets_button_);
    doors->addStretch(1);
    const int after = SlotOf(kInputs.size()) + 3;
    grid->addLayout(doors, after / 4, after % 4 * 2, 1, 8 - after % 4 * 2);

    return grid;
}

QSplitter* CurveWindow::buildViews() {
    plot_ = new PlotWidget(this);
    plot_->setAccessibleName(Say(Word::kPlot));
    model_ = new TableModel(this);
    table_ = new QTableView(this);
    table_->setModel(model_);
    table_->setAccessibleName(Say(Word::kTable));
    table_->setTabKeyNavigation(false);  // Tab moves on to the buttons
    // Columns fit the texts of the first rows, so that a long table does not slow typing.
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setResizeContentsPrecision(64);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    auto* copy_cells =
        new QShortcut(QKeySequence::Copy, table_, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(copy_cells, &QShortcut::activated, this, &CurveWindow::copySelection);
    // The working points stand under the table, a column each, so that every quantity of
    // both shows without scrolling sideways.
    points_ = new QTableWidget(0, 2, this);
    points_->setAccessibleName(Say(Word::kPoints));
    points_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    points_->setTabKeyNavigation(false);
    points_->setHorizontalHeaderLabels({Say(design::kPointNames[0]), Say(design::kPointNames[1])});
    // Every digit in view: a column is as wide as its widest number, never cut to "…".
    points_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    points_->setTextElideMode(Qt::ElideNone);
    points_->verticalHeader()->setDefaultSectionSize(points_->fontMetrics().height() + 4);
    auto* side = new QSplitter(Qt::Vertical, this);
    side->addWidget(table_);
    side->addWidget(points_);
    side->setStretchFactor(0, 1);
    side->setStretchFactor(1, 0);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(plot_);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    return splitter;
}

QWidget* CurveWindow::buildSaid() {
    summary_ = new QLabel(this);
    summary_->setAccessibleName(Say(Word::kPointsSaid));
    findings_ = new QListWidget(this);
    findings_->setAccessibleName(Say(Word::kFindings));
    findings_->setWordWrap(true);  // a sentence is read whole, never cut at the box's edge
    findings_->setResizeMode(QListView::Adjust);
    findings_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    findings_->setMinimumHeight(2 * fontMetrics().height());

    // What is said of the design under the plot: the working points, and the single spring's
    // test, on the left; the checks beside them, always in view. Each scrolls only where the
    // window is too low for all of it, never cut off.
    const auto scrolled = [this](QLabel* text) {
        text->setWordWrap(true);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        auto* room = new QScrollArea(this);
        room->setWidget(text);
        room->setWidgetResizable(true);
        room->setFrameShape(QFrame::NoFrame);
        room->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        room->setMinimumHeight(2 * fontMetrics().height());  // a low screen keeps the plot
        return room;
    };
    test_ = new QLabel(this);
    test_->setAccessibleName(Say(Word::kTest));
    said_ = new QTabWidget(this);
    said_->addTab(summary_room_ = scrolled(summary_), Say(Word::kPoints));
    said_->addTab(scrolled(test_), Say(Word::kTest));
    auto* checks = new QGroupBox(Say(Word::kFindings), this);
    auto* inside = new QVBoxLayout(checks);
    inside->setContentsMargins(4, 4, 4, 4);
    inside->addWidget(findings_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(said_, 3);
    bottom->addWidget(checks, 2);

    auto* lower = new QWidget(this);
    lower->setLayout(bottom);
    bottom->setContentsMargins(0, 0, 0, 0);
    return lower;
}

QHBoxLayout* CurveWindow::buildCommands() {
    // The commands in one row under everything, the status line at its end.
    auto* buttons = new QHBoxLayout;
    const std::pair<Word, void (CurveWindow::*)()> commands[] = {
        {Word::kSave, &CurveWindow::saveDesignClicked},
        {Word::kSaveAs, &CurveWindow::saveDesignAsClicked},
        {Word::kOpen, &CurveWindow::openDesignClicked},
        {Word::kCopyTable, &CurveWindow::copyClicked},
        {Word::kSaveImage, &CurveWindow::saveClicked},
        {Word::kDataSheetPdf, &CurveWindow::dataSheetClicked},
        {Word::kPrint, &CurveWindow::printClicked}};
    for (const auto& [caption, clicked] : commands) {
        QPushButton* button = Button(caption, this);
        connect(button, &QPushButton::clicked, this, clicked);
        buttons->addWidget(button);
    }
    // The languages by their own names, so that each reader finds theirs in any of them.
    language_ = new QComboBox(this);
    language_->setAccessibleName(Say(Word::kLanguage));
    for (const rows::Language language : rows::kLanguages) {
        language_->addItem(Say(rows::LanguageName(language)));
        if (language == Language()) {
            language_->setCurrentIndex(language_->count() - 1);
        }
    }
    connect(language_, &QComboBox::activated, this, &CurveWindow::languageChosen);
    buttons->addWidget(language_);
    status_ = new QLabel(this);
    status_->setAccessibleName(Say(Word::kStatus));
    status_->setMinimumWidth(status_->fontMetrics().horizontalAdvance(Say(Word::kComputing)));
    buttons->addWidget(status_, 1);
    return buttons;
}

void CurveWindow::setDesignFile(const QString& path) {
    file_ = path;
    showSaved();
}

void CurveWindow::showSaved() {
    setWindowTitle(
        file_.isEmpty()
            ? Say(Word::kTitle) + QStringLiteral("[*]")
            : QStringLiteral("%1[*] — %2").arg(QFileInfo(file_).fileName(), Say(Word::kTitle)));
    setWindowModified(inputs() != saved_);
}

CurveWindow::~CurveWindow() = default;

design::DesignTexts CurveWindow::inputs() const {
    design::DesignTexts texts;
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        texts.*kInputs[i].text = inputs_[i]->text().toStdString();
    }
    for (std::size_t k = 0; k < 2; ++k) {
        texts.points[k] = {point_by_[k]->currentIndex() == 1 ? design::PointBy::kForce
                                                             : design::PointBy::kDeflection,
                           point_value_[k]->text().toStdString()};
    }
    texts.load = design::kLoads[static_cast<std::size_t>(std::max(0, load_->currentIndex()))].load;
    texts.outer_edge = outer_edge_->isChecked();
    texts.requirement = requirement_;
    texts.fatigue_lines = fatigue_lines_;
    texts.packets = packets_;
    return texts;
}

void CurveWindow::setInputs(const design::DesignTexts& texts) {
    // One computation for the whole change, not one a box.
    std::vector<QSignalBlocker> quiet;
    for (QObject* field : findChildren<QLineEdit*>()) {
        quiet.emplace_back(field);
    }
    for (QObject* field : point_by_) {
        quiet.emplace_back(field);
    }
    quiet.emplace_back(load_);
    quiet.emplace_back(outer_edge_);
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        inputs_[i]->setText(QString::fromStdString(texts.*kInputs[i].text));
    }
    for (std::size_t k = 0; k < 2; ++k) {
        point_by_[k]->setCurrentIndex(texts.points[k].by == design::PointBy::kForce);
        point_value_[k]->setText(QString::fromStdString(texts.points[k].value));
    }
    for (std::size_t k = 0; k < design::kLoads.size(); ++k) {
        if (design::kLoads[k].load == texts.load) {
            load_->setCurrentIndex(static_cast<int>(k));
        }
    }
    outer_edge_->setChecked(texts.outer_edge);
    requirement_ = texts.requirement;
    fatigue_lines_ = texts.fatigue_lines;
    packets_ = texts.packets;
    showPackets();
    if (selection_) {
        selection_->setDesign(texts);
    }
    quiet.clear();
    inputEdited();
}

QLineEdit* CurveWindow::field(std::string design::DesignTexts::*text) const {
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        if (kInputs[i].text == text) {
            return inputs_[i];
        }
    }
    return nullptr;
}

void CurveWindow::inputEdited() {
    design::DesignTexts texts = inputs();
    setWindowModified(texts != saved_);
    const auto picked = design::MaterialPicked(texts);
    material_->setCurrentIndex(picked ? static_cast<int>(*picked) + 1 : 0);
    if (selection_ && selection_->isVisible()) {
        selection_->updateDesign(texts);  // its material and friction are the design's
    }
    setStatus(Say(Word::kComputing));
    computer_->request(std::move(texts));
}

void CurveWindow::selectClicked() {
    if (!selection_) {
        selection_ = new SelectionPanel(this);
        selection_->setWindowFlag(Qt::Window);
        // Within the screen, whatever its size, and over the design window's middle.
        const QRect available = screen()->availableGeometry();
        const QSize size = QSize(1280, 680).boundedTo(available.size() * 0.95);
        QRect place(QPoint(0, 0), size);
        place.moveCenter(frameGeometry().center());
        place.moveLeft(
            std::clamp(place.left(), available.left(), available.right() - size.width()));
        place.moveTop(std::clamp(place.top(), available.top(), available.bottom() - size.height()));
        selection_->setGeometry(place);
        connect(selection_, &SelectionPanel::requirementEdited, this, [this] {
            requirement_ = selection_->requirement();
            showSaved();
        });
        connect(selection_, &SelectionPanel::openRequested, this,
                [this](const design::DesignTexts& texts) {
                    if (!keepEdits()) {
                        return;  // the edits stay, and so does the design
                    }
                    // A new design, not yet saved anywhere: never the file the window came from.
                    setInputs(texts);
                    file_.clear();
                    showSaved();
                    raise();
                    activateWindow();
                });
    }
    selection_->setDesign(inputs());
    selection_->show();
    selection_->raise();
    selection_->activateWindow();
}

void CurveWindow::fatigueClicked() {
    FatigueDialog dialog(fatigue_lines_, this);
    if (dialog.exec() == QDialog::Accepted && dialog.lines() != fatigue_lines_) {
        fatigue_lines_ = dialog.lines();
        inputEdited();
    }
}

void CurveWindow::packetsClicked() {
    PacketsDialog dialog(packets_, this);
    if (dialog.exec() == QDialog::Accepted && dialog.packets() != packets_) {
        packets_ = dialog.packets();
        showPackets();
        inputEdited();
    }
}

void CurveWindow::showPackets() {
    const QString count = QString::number(packets_.size());
    packets_button_->setText(packets_.empty() ? Say(Word::kPackets)
                                              : Say(Word::kPacketsNamed, {{"count", count}}));
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        inputs_[i]->setEnabled(!design::PacketsStandFor(kInputs[i].key) || packets_.empty());
    }
}

void CurveWindow::materialChosen(int index) {
    if (index > 0) {
        const calc::Material& material =
            calc::kMaterials[static_cast<std::size_t>(index - 1)].material;
        field(&design::DesignTexts::E)->setText(Say(runtime::NumberToText(material.E).view()));
        field(&design::DesignTexts::mu)->setText(Say(runtime::NumberToText(material.mu).view()));
        field(&design::DesignTexts::Rm)
            ->setText(material.Rm ? Say(runtime::NumberToText(*material.Rm).view()) : QString());
    }
}

void CurveWindow::sheetComputed(std::shared_ptr<const design::Sheet> sheet) {
    sheet_ = std::move(sheet);
    model_->setSheet(sheet_);
    table_->clearSpans();
    for (const auto& [row, span] : model_->spans()) {
        table_->setSpan(row, 1, 1, span);
    }
    plot_->setPanels(std::shared_ptr<const Panels>(sheet_, &sheet_->plot));
    plot_->setBlankReason(QString::fromStdString(design::NoPlot(*sheet_)));

    const QStringList header = Texts(design::HeaderCells(*sheet_));
    // A row a quantity, a column a point.
    points_->setRowCount(static_cast<int>(header.size()));
    points_->setVerticalHeaderLabels(header);
    for (int k = 0; k < 2; ++k) {
        const design::TableRow row = design::PointRow(*sheet_, k);
        const bool given = sheet_->points[static_cast<std::size_t>(k)].given;
        for (int r = 0; r < points_->rowCount(); ++r) {
            const auto cell = static_cast<std::size_t>(r);
            const QString text =
                cell < row.cells.size() ? QString::fromStdString(row.cells[cell]) : QString();
            points_->setItem(r, k,
                             new QTableWidgetItem(
                                 r == 0 && text.isEmpty() && given ? QStringLiteral("—") : text));
        }
    }
    // Tall enough for every quantity, so that none hides behind a scroll bar, unless that would
    // push the window off a small screen (a laptop at 200 %): then the table scrolls.
    const int whole = points_->horizontalHeader()->sizeHint().height() +
                      points_->verticalHeader()->length() + 2 * points_->frameWidth();
    const QRect available = screen()->availableGeometry();
    points_->setMinimumHeight(std::min(whole, available.height() / 3));
    // A window grown to its new minimum moves back onto the screen if it went past an edge.
    layout()->activate();
    const QRect frame = frameGeometry();
    if (isVisible() && !available.contains(frame)) {
        // Larger than the screen, its top-left corner stays on it.
        move(std::max(available.left(),
                      std::min(frame.left(), available.right() - frame.width() + 1)),
             std::max(available.top(),
                      std::min(frame.top(), available.bottom() - frame.height() + 1)));
    }
    summary_->setText(Texts(design::Summary(*sheet_)).join('\n'));
    summary_->setAccessibleDescription(summary_->text());  // read out, beside its name
    test_->setText(Texts(design::TestLines(*sheet_)).join('\n'));
    test_->setAccessibleDescription(test_->text());
    const QStringList findings = Texts(design::FindingSentences(*sheet_));
    findings_->clear();
    findings_->addItems(findings);
    findings_->setAccessibleDescription(findings.join(QLatin1Char('\n')));
    showWhatIsSaid();
    setStatus({});
}

void CurveWindow::showWhatIsSaid() {
    // Room under the plot for every line of the summary and the checks, up to half the height
    // the two share; never less than the user left it.
    const int width = summary_room_->viewport()->width();
    int needed = summary_->heightForWidth(width);
    int listed = 2 * findings_->frameWidth();
    for (int row = 0; row < findings_->count(); ++row) {
        listed += findings_->sizeHintForRow(row);
    }
    const QWidget* lower = halves_->widget(1);
    const int chrome = lower->height() - summary_room_->viewport()->height();
    needed = std::max(needed, listed) + std::max(chrome, 0);
    QList<int> sizes = halves_->sizes();
    const int total = sizes[0] + sizes[1];
    const int wanted = std::min(needed, total / 2);
    if (total > 0 && wanted > sizes[1]) {
        halves_->setSizes({total - wanted, wanted});
    }
}

void CurveWindow::setStatus(const QString& text) {
    status_->setText(text);
    status_->setAccessibleDescription(text);
}

void CurveWindow::awaitContent() {
    if (!computer_->busy()) {
        return;
    }
    QEventLoop loop;
    connect(computer_, &CurveComputer::computed, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

bool CurveWindow::able(const QString& why, const QString& what) {
    if (why.isEmpty()) {
        return true;
    }
    QMessageBox::information(this, Say(Word::kTitle),
                             Say(Word::kNothingTo, {{"what", what}, {"why", why}}));
    return false;
}

QString CurveWindow::chooseSaveName(const QString& title, const QString& name,
                                    const QStringList& filters, const QStringList& suffixes) {
    QFileDialog dialog(this, title, name, filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    // A name typed without an extension gets the chosen format's.
    QString path = dialog.selectedFiles().constFirst();
    if (QFileInfo(path).suffix().isEmpty()) {
        path += suffixes.value(filters.indexOf(dialog.selectedNameFilter()), suffixes.first());
    }
    return path;
}

bool CurveWindow::savePlot(const QString& path) {
    awaitContent();
    return plot_->save(path, Say(Word::kTitle), QString::fromStdString(design::Caption(*sheet_)));
}

bool CurveWindow::saveDesign(const QString& path) {
    const design::DesignTexts texts = inputs();
    if (!SaveDesignFile(path, texts)) {
        return false;
    }
    saved_ = texts;
    file_ = path;
    showSaved();
    return true;
}

bool CurveWindow::openDesign(const QString& path, QString* why) {
    const auto texts = OpenDesignFile(path);
    if (!texts) {
        if (why != nullptr) {
            *why = texts.error();
        }
        return false;
    }
    setInputs(*texts);
    saved_ = *texts;
    file_ = path;
    showSaved();
    return true;
}

bool CurveWindow::writeDataSheet(const QString& path) {
    awaitContent();
    return WriteDataSheet(path, *sheet_, font());
}

void CurveWindow::copyClicked() {
    awaitContent();
    if (able(QString::fromStdString(design::NoTable(*sheet_)), Say(Word::kToCopy))) {
        QApplication::clipboard()->setText(QString::fromStdString(design::CopyText(*sheet_)));
    }
}

void CurveWindow::saveClicked() {
    awaitContent();
    if (!able(QString::fromStdString(design::NoPlot(*sheet_)), Say(Word::kToSave))) {
        return;
    }
    const QString path =
        chooseSaveName(Say(Word::kSaveImageTitle), Say(Word::kTitle) + QStringLiteral(".png"),
                       {Say(Word::kPngFiles), Say(Word::kSvgFiles)},
                       {QStringLiteral(".png"), QStringLiteral(".svg")});
    if (!path.isEmpty() && !savePlot(path)) {
        QMessageBox::warning(this, Say(Word::kTitle), Say(Word::kCannotWrite, {{"path", path}}));
    }
}

void CurveWindow::saveDesignClicked() {
    saveDesignHere();
}

void CurveWindow::saveDesignAsClicked() {
    saveDesignAs();
}

bool CurveWindow::saveDesignHere() {
    if (file_.isEmpty()) {
        return saveDesignAs();
    }
    if (!saveDesign(file_)) {
        QMessageBox::warning(this, Say(Word::kTitle), Say(Word::kCannotWrite, {{"path", file_}}));
        return false;
    }
    return true;
}

bool CurveWindow::saveDesignAs() {
    const QString path =
        chooseSaveName(Say(Word::kSave), file_.isEmpty() ? Say(Word::kDesignFileName) : file_,
                       {Say(Word::kDesignFiles)}, {QStringLiteral(".dspring")});
    if (path.isEmpty()) {
        return false;
    }
    if (!saveDesign(path)) {
        QMessageBox::warning(this, Say(Word::kTitle), Say(Word::kCannotWrite, {{"path", path}}));
        return false;
    }
    return true;
}

bool CurveWindow::keepEdits() {
    if (inputs() == saved_) {
        return true;
    }
    QMessageBox box(QMessageBox::Question, Say(Word::kTitle), Say(Word::kUnsaved),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.button(QMessageBox::Save)->setText(Say(Word::kSaveEllipsis));
    box.button(QMessageBox::Discard)->setText(Say(Word::kDiscard));
    box.button(QMessageBox::Cancel)->setText(Say(Word::kCancel));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == box.button(QMessageBox::Discard)) {
        return true;
    }
    return box.clickedButton() == box.button(QMessageBox::Save) && saveDesignHere();
}

void CurveWindow::languageChosen(int index) {
    const rows::Language chosen = rows::kLanguages[std::clamp(index, 0, 1)];
    if (chosen == Language()) {
        return;
    }
    // Every word is set where a part is built: a window built anew speaks the language. It takes
    // over the design as it stands, whether it was saved, its file and its place.
    SetLanguage(chosen);
    qtapp::SpeakChinese(chosen == rows::Language::kChinese);
    auto* next = new CurveWindow(inputs());
    next->setAttribute(Qt::WA_DeleteOnClose);
    next->saved_ = saved_;
    next->file_ = file_;
    next->showSaved();
    next->setGeometry(geometry());
    next->show();
    if (selection_ != nullptr && selection_->isVisible()) {
        next->selectClicked();
    }
    if (selection_ != nullptr) {
        selection_->close();
    }
    replaced_ = true;
    close();
}

void CurveWindow::closeEvent(QCloseEvent* event) {
    if (replaced_ || keepEdits()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void CurveWindow::openDesignClicked() {
    if (!keepEdits()) {
        return;
    }
    QFileDialog dialog(this, Say(Word::kOpenTitle), QString(), Say(Word::kDesignFiles));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    QString why;
    if (!openDesign(dialog.selectedFiles().constFirst(), &why)) {
        QMessageBox::warning(this, Say(Word::kTitle),
                             Say(Word::kNotOpenedWindow) + QStringLiteral("\n\n") + why);
    }
}

void CurveWindow::dataSheetClicked() {
    awaitContent();
    if (!able(QString::fromStdString(design::NoDataSheet(*sheet_)), Say(Word::kToWriteDataSheet))) {
        return;
    }
    const QString path = chooseSaveName(Say(Word::kDataSheetTitle), Say(Word::kDataSheetFileName),
                                        {Say(Word::kPdfFiles)}, {QStringLiteral(".pdf")});
    if (!path.isEmpty() && !writeDataSheet(path)) {
        QMessageBox::warning(this, Say(Word::kTitle), Say(Word::kCannotWrite, {{"path", path}}));
    }
}

void CurveWindow::printClicked() {
    awaitContent();
    if (!able(QString::fromStdString(design::NoDataSheet(*sheet_)), Say(Word::kToPrint))) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(Say(Word::kTitle));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        QMessageBox::warning(this, Say(Word::kTitle), Say(Word::kCannotPrint));
        return;
    }
    PaintDataSheet(painter, printer.pageLayout().paintRectPixels(printer.resolution()), *sheet_,
                   font());
    painter.end();
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
