// The plot widget: shows plot panels and reads out the point under the mouse.
#pragma once

#include <QWidget>
#include <memory>

#include "curve/plot_painter.h"

namespace curve {

/// Shows plot panels and the values of the point under the mouse (also its accessible
/// description). Knows nothing of what is plotted; the same painting serves the screen and the
/// saved files.
class PlotWidget : public QWidget {
    Q_OBJECT

public:
    explicit PlotWidget(QWidget* parent = nullptr);

    /// Shows these panels (shared, not copied: a long curve has millions of points).
    void setPanels(std::shared_ptr<const Panels> panels);
    /// Why there is nothing to plot, shown where the plot would be (empty: there is a plot).
    void setBlankReason(const QString& why);
    const Panels& panels() const { return *panels_; }

    /// Writes the plot at the widget's size with `caption` in a line below it: SVG when the name
    /// ends in ".svg", else PNG at the screen's pixel ratio. Returns false when the file could
    /// not be written.
    bool save(const QString& path, const QString& title, const QString& caption = {}) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    std::shared_ptr<const Panels> panels_ = std::make_shared<const Panels>();
    PlotPoint hover_;
    QString blank_reason_;
};

}  // namespace curve
