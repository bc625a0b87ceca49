#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "curve/curve_content.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QTableView;

namespace curve {

class CurveComputer;
class PlotWidget;
class RowsModel;

/// The characteristic window "碟形弹簧特性曲线".
///
/// Every edit of an input recomputes the whole characteristic (ComputeCurve) off the GUI
/// thread, the last edit winning, and shows it three ways: the plot, the table of the batch
/// tool's rows, and the design findings. While a computation is under way the status line says
/// so. A fault of the calculation is shown among the findings; nothing here opens a dialog for
/// it. "复制表格" copies the batch tool's text; "保存图像…" writes the plot as PNG or SVG; both
/// say why when there is nothing to copy or save.
class CurveWindow : public QWidget {
    Q_OBJECT

public:
    /// `spring` fills D, d, t, H and f in that order; empty opens on the worked example.
    explicit CurveWindow(const QStringList& spring = {}, QWidget* parent = nullptr);
    ~CurveWindow() override;

    /// Writes the plot to `path` (".svg" or PNG); false when it could not be written.
    bool savePlot(const QString& path) const;

private slots:
    void inputEdited();
    void contentComputed(std::shared_ptr<const CurveContent> content);
    void copyClicked();
    void saveClicked();
    void copySelection();

private:
    /// Waits for the computation under way, so that a command acts on what the inputs say.
    void awaitContent();

    std::array<QLineEdit*, 8> inputs_{};
    QLabel* status_ = nullptr;
    PlotWidget* plot_ = nullptr;
    QTableView* table_ = nullptr;
    RowsModel* model_ = nullptr;
    QListWidget* findings_ = nullptr;
    CurveComputer* computer_ = nullptr;
    std::shared_ptr<const CurveContent> content_;
};

}  // namespace curve
