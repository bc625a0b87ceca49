#pragma once

#include <QFontMetricsF>
#include <QRectF>
#include <vector>

#include "curve/plot.h"
#include "curve/plot_axis.h"

class QPainter;

namespace curve {

/// Where the panels of a plot stand in an area (one above the other, each with room for its
/// tick labels and axis labels) and how data units map onto them.
class PlotLayout {
public:
    PlotLayout(const QVector<PlotPanel>& panels, const QRectF& area, const QFontMetricsF& metrics);

    int count() const { return static_cast<int>(frames_.size()); }
    /// The rectangle inside a panel's axes.
    QRectF frame(int panel) const { return frames_[panel]; }
    const AxisScale& x(int panel) const { return x_[panel]; }
    const AxisScale& y(int panel) const { return y_[panel]; }
    /// A point in data units to the area's coordinates.
    QPointF map(int panel, QPointF data) const;
    /// The plotted point nearest to `position`, if one lies within `radius`.
    PlotPoint nearest(QPointF position, double radius) const;

private:
    const QVector<PlotPanel>& panels_;
    std::vector<QRectF> frames_;
    std::vector<AxisScale> x_, y_;
};

/// Paints the panels into `area` of any painter (a widget, an image, an SVG file) with the
/// painter's font: axes, ticks, labels, markers, series, legend, and the `hover` point with
/// its values.
void PaintPlot(QPainter& painter, const QRectF& area, const QVector<PlotPanel>& panels,
               const PlotPoint& hover = {});

}  // namespace curve
