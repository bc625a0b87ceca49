#pragma once

#include <QWidget>
#include <array>

#include "curve/curve_content.h"

class QLineEdit;
class QListWidget;

namespace curve {

class PlotWidget;
class RowsModel;

/// The characteristic window "碟形弹簧特性曲线".
///
/// Every edit of an input recomputes the whole characteristic (ComputeCurve) and shows it
/// three ways: the plot, the table of the batch tool's rows, and the design findings. A fault
/// of the calculation is shown among the findings; nothing here opens a dialog for it.
/// "复制表格" copies the batch tool's text; "保存图像…" writes the plot as PNG or SVG.
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
    void copyClicked();
    void saveClicked();

private:
    std::array<QLineEdit*, 8> inputs_{};
    PlotWidget* plot_ = nullptr;
    RowsModel* model_ = nullptr;
    QListWidget* findings_ = nullptr;
    CurveContent content_;
};

}  // namespace curve
