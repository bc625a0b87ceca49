#pragma once

#include <QFontMetricsF>
#include <QRectF>
#include <QString>
#include <vector>

#include "design/plot_axis.h"
#include "design/plot_data.h"

class QPainter;

namespace curve {

using design::AxisScale;
using design::PlotPanel;
using design::PlotSeries;
using Panels = std::vector<PlotPanel>;

/// A point of a plot: which panel, series and point; -1 where there is none.
struct PlotPoint {
    int panel = -1, series = -1, point = -1;
    bool valid() const { return point >= 0; }
    friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};

/// A point in data units as Qt takes it.
inline QPointF ToQt(design::Point point) {
    return {point.x, point.y};
}

/// A marker as drawn: where its line stands and where its label goes.
struct PlacedMarker {
    double x;    ///< the line's position in the area's coordinates
    QRectF box;  ///< the label's
    QString label;
};

/// Where the panels of a plot stand in an area (one above the other, each with room for its
/// legend, tick labels and axis titles, sized to the widest label) and how data units map onto
/// them. Panels without points take no room.
class PlotLayout {
public:
    PlotLayout(const Panels& panels, const QRectF& area, const QFontMetricsF& metrics);

    int count() const { return static_cast<int>(frames_.size()); }
    /// Whether a panel is drawn: it has points.
    bool shown(int panel) const { return !frames_[panel].isEmpty(); }
    /// The rectangle inside a panel's axes; empty for a panel not drawn.
    QRectF frame(int panel) const { return frames_[panel]; }
    const AxisScale& x(int panel) const { return x_[panel]; }
    const AxisScale& y(int panel) const { return y_[panel]; }
    /// A point in data units to the area's coordinates.
    QPointF map(int panel, QPointF data) const;
    /// The plotted point nearest to `position`, if one lies within `radius`.
    PlotPoint nearest(QPointF position, double radius) const;
    /// The area the plot is painted in.
    const QRectF& area() const { return area_; }
    /// The widest y tick label of all panels, which sets where their axis titles stand.
    double tick_label_width() const { return tick_label_width_; }
    /// What a pixel of the screen is on this painter's device, from its font: pens, ticks and
    /// gaps grow with it, so that a PDF at 300 dpi looks as the screen does.
    double unit() const { return unit_; }
    /// A panel's markers within its x range, labels inside the frame, none overlapping another:
    /// right of the line, or left where the frame ends, a line higher where one is in the way.
    const std::vector<PlacedMarker>& markers(int panel) const { return markers_[panel]; }

private:
    const Panels& panels_;
    QRectF area_;
    double tick_label_width_ = 0;
    double unit_ = 1;
    std::vector<QRectF> frames_;
    std::vector<AxisScale> x_, y_;
    std::vector<std::vector<PlacedMarker>> markers_;
};

/// What the point under the mouse says: "<series>: <x> = <value> <unit>, <y> = <value> <unit>",
/// the values to a reader's precision.
QString PointText(const PlotPanel& panel, const PlotSeries& series, design::Point point);

/// Paints the panels into `area` of any painter (a widget, an image, an SVG or PDF file, a
/// printer) with the painter's font: axes, ticks, labels, bands, markers, series, marks, legend,
/// and the `hover` point with its values, kept inside the area. Nothing but the background when
/// no panel has points.
void PaintPlot(QPainter& painter, const QRectF& area, const Panels& panels,
               const PlotPoint& hover = {});

}  // namespace curve
