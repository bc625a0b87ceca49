// The design window: a spring or stack, its plot and table, working points and checks.
#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "design/inputs.h"
#include "design/sheet.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QListWidget;
class QScrollArea;
class QSplitter;
class QTabWidget;
class QTableView;
class QTableWidget;

namespace curve {

class CurveComputer;
class PlotWidget;
class SelectionPanel;
class TableModel;

/// The characteristic window (Word::kTitle), a design tool for one spring or stack.
///
/// Every edit of an input recomputes the whole characteristic, the working points and the
/// findings (design::ComputeSheet) off the GUI thread, the last edit winning, and shows them: the
/// plot with the working points marked (and, with friction, the loading and unloading band), the
/// table of the batch tool's rows, the working points with stroke and work, and the design
/// findings. While a computation is under way the status line says so. A fault is shown among
/// the findings; nothing here opens a dialog for it. The buttons copy the table, save the plot
/// (PNG, SVG, with the spring in a caption), save and open a design file (.dspring), write a
/// one-page PDF data sheet and print it; each says why when there is nothing to act on. Fatigue
/// lines… edits the fatigue lines the load cycle is judged against, saved with the design; another
/// button edits a progressive stack's packets, which then stand for the spring and its i × n
/// stack. Closing
/// the window or opening another design asks first when edits have not been saved. Selection… opens
/// the selection panel beside it, whose requirement is saved with the design and whose
/// candidates open as the design.
class CurveWindow : public QWidget {
    Q_OBJECT

public:
    explicit CurveWindow(const design::DesignTexts& inputs = design::DefaultTexts(),
                         QWidget* parent = nullptr);
    ~CurveWindow() override;

    /// Every input as typed.
    design::DesignTexts inputs() const;
    /// Writes the plot to `path` (".svg" or PNG); false when it could not be written.
    bool savePlot(const QString& path);
    /// Writes the design file; false when it could not be written.
    bool saveDesign(const QString& path);
    /// Opens a design file; when it cannot be read, says why in `why` and changes nothing.
    bool openDesign(const QString& path, QString* why = nullptr);
    /// Writes the data sheet as a PDF; false when it could not be written.
    bool writeDataSheet(const QString& path);
    /// The design file the window shows (opened or last saved), named in the title and where
    /// Save design writes; empty for none.
    const QString& designFile() const { return file_; }
    /// Names the file the window's design came from (opened before the window was made).
    void setDesignFile(const QString& path);

protected:
    /// Asks first when edits would be lost.
    void closeEvent(QCloseEvent* event) override;

private slots:
    void inputEdited();
    void materialChosen(int index);
    void sheetComputed(std::shared_ptr<const design::Sheet> sheet);
    void copyClicked();
    void saveClicked();
    void saveDesignClicked();
    void saveDesignAsClicked();
    void openDesignClicked();
    void dataSheetClicked();
    void printClicked();
    void copySelection();
    void selectClicked();
    void fatigueClicked();
    void packetsClicked();
    void languageChosen(int index);

private:
    /// The window's parts, built once: the inputs' grid (the material picker, the working points,
    /// the load, Selection… and Fatigue lines…), the plot beside the table and the working points,
    /// what is said of the design under them, and the commands' row with the status line.
    QGridLayout* buildInputs();
    QSplitter* buildViews();
    QWidget* buildSaid();
    QHBoxLayout* buildCommands();
    /// Waits for the computation under way, so that a command acts on what the inputs say.
    void awaitContent();
    void setInputs(const design::DesignTexts& inputs);
    /// The field of an input.
    QLineEdit* field(std::string design::DesignTexts::*text) const;
    /// Shows how many packets there are, and leaves the inputs they stand for out of reach.
    void showPackets();
    /// Gives what is said of the design room to be read whole.
    void showWhatIsSaid();
    /// What the status line says, also to a screen reader.
    void setStatus(const QString& text);
    /// Saves under a name the user chooses; false when cancelled or not written.
    bool saveDesignAs();
    /// Saves to the design file, or under a chosen name when there is none yet; false when
    /// cancelled or not written (said so).
    bool saveDesignHere();
    /// The title: the design file's name, if any, and a mark while edits are not saved.
    void showSaved();
    /// When the inputs differ from the design last saved or opened, asks whether to save them;
    /// false when the user cancels (or saving does not happen).
    bool keepEdits();
    /// The name chosen in a save dialog with `filter`, with `suffix` added when typed without.
    QString chooseSaveName(const QString& title, const QString& name, const QStringList& filters,
                           const QStringList& suffixes);
    /// Says why there is nothing to act on; true when there is something.
    bool able(const QString& why, const QString& what);

    std::array<QLineEdit*, design::kInputs.size()> inputs_{};
    QComboBox* material_ = nullptr;
    std::array<QComboBox*, 2> point_by_{};
    std::array<QLineEdit*, 2> point_value_{};
    QComboBox* load_ = nullptr;
    QCheckBox* outer_edge_ = nullptr;          ///< σIV as a column of the tables
    std::string fatigue_lines_;                ///< as the fatigue lines dialog took them
    std::vector<design::PacketText> packets_;  ///< as the packets' dialog took them
    QPushButton* packets_button_ = nullptr;
    QLabel* status_ = nullptr;
    QComboBox* language_ = nullptr;  ///< the windows' language; a choice rebuilds the window
    bool replaced_ = false;          ///< by a window in another language: closes without asking
    PlotWidget* plot_ = nullptr;
    QTableView* table_ = nullptr;
    TableModel* model_ = nullptr;
    QTableWidget* points_ = nullptr;
    QLabel* summary_ = nullptr;
    QScrollArea* summary_room_ = nullptr;
    QLabel* test_ = nullptr;  ///< how the single spring is tested
    QTabWidget* said_ = nullptr;
    QSplitter* halves_ = nullptr;
    QListWidget* findings_ = nullptr;
    CurveComputer* computer_ = nullptr;
    std::shared_ptr<const design::Sheet> sheet_;
    design::DesignTexts saved_;             ///< as last saved or opened, or as the window opened
    QString file_;                          ///< the design file, or empty
    design::RequirementTexts requirement_;  ///< the selection's, as typed in its panel
    SelectionPanel* selection_ = nullptr;   ///< made when first asked for
};

}  // namespace curve
