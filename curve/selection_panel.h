// The selection panel: a requirement in, ranked candidates out.
#pragma once

#include <QFutureWatcher>
#include <QWidget>
#include <array>
#include <optional>

#include "design/selection.h"

class QCheckBox;
class QGridLayout;
class QHBoxLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace curve {

/// The selection panel (Word::kSelection): a requirement in (load points with tolerances, the
/// space, the limits; the design's material and friction), the candidates out — DIN 2093's springs
/// in their stacks and special springs, ranked — and one action that opens the chosen one as the
/// design. It only displays design/'s selection, computed off the GUI thread, the last edit
/// winning.
class SelectionPanel : public QWidget {
    Q_OBJECT

public:
    explicit SelectionPanel(QWidget* parent = nullptr);

    /// Shows the requirement of these inputs and selects for them.
    void setDesign(const design::DesignTexts& texts);
    /// Selects again for the design's other inputs (its material, friction), keeping the
    /// requirement as typed here.
    void updateDesign(const design::DesignTexts& texts);
    /// The requirement as typed.
    design::RequirementTexts requirement() const;
    /// The last selection shown; none before the first.
    const std::optional<design::SelectionSheet>& shown() const { return shown_; }

signals:
    /// The requirement was edited.
    void requirementEdited();
    /// The user asked to open this design (a candidate in place of the spring).
    void openRequested(const design::DesignTexts& texts);

private slots:
    void edited();
    void computed();
    void openClicked();
    void copyClicked();
    void moreClicked();

private:
    /// The panel's parts: the requirement's fields, the candidates' table (and the summary that
    /// says what it holds), the commands beside the summary.
    QGridLayout* buildRequirement();
    void buildCandidates();
    QHBoxLayout* buildCommands();
    void start();

    std::array<QComboBox*, 2> given_{};
    std::array<std::array<QLineEdit*, 3>, 2> point_{};  // s, F, tolerance
    std::array<QLineEdit*, design::kRequirementInputs.size()> fields_{};
    QCheckBox* dynamic_ = nullptr;
    QCheckBox* long_stacks_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* more_ = nullptr;
    QTableWidget* table_ = nullptr;
    std::size_t best_ = design::kShownAtFirst;  // how many of the catalogue's to show
    design::DesignTexts design_;
    std::optional<design::SelectionSheet> shown_;
    QFutureWatcher<design::SelectionSheet> watcher_;
    bool again_ = false;  // an edit came while a selection was under way
};

}  // namespace curve
