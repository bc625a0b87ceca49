// Paints design/'s plot shapes on any QPainter: the screen, a PNG, an SVG, a PDF.
#pragma once

#include <QFontMetricsF>
#include <QRectF>
#include <QString>
#include <vector>

#include "design/plot_layout.h"

class QPainter;

namespace curve {

using design::PlotPanel;
using design::PlotPoint;
using design::PlotSeries;
using Panels = std::vector<PlotPanel>;

/// A point in data units as Qt takes it.
inline QPointF ToQt(design::Point point) {
    return {point.x, point.y};
}

inline QRectF ToQt(const design::Rect& r) {
    return {r.left, r.top, r.width, r.height};
}

/// How a painter's font measures, for design's layout.
design::TextMetrics Metrics(const QFontMetricsF& metrics);

/// The layout of `panels` in `area` with this font's metrics.
design::PlotLayout LayOut(const Panels& panels, const QRectF& area, const QFontMetricsF& metrics);

/// Draws design's shapes with any painter (a widget, an image, an SVG or PDF file, a printer).
void PaintShapes(QPainter& painter, const std::vector<design::Shape>& shapes);

/// Paints the panels into `area` with the painter's font, and the `hover` point with its read-out:
/// the shapes design lays out.
void PaintPlot(QPainter& painter, const QRectF& area, const Panels& panels,
               const PlotPoint& hover = {});

}  // namespace curve
