#pragma once

#include <QColor>
#include <QPointF>
#include <QString>
#include <QVector>

namespace curve {

/// One line of a plot: its points in data units, in the order they are joined.
struct PlotSeries {
    QString name;    ///< shown in the legend and beside the point under the mouse
    QString symbol;  ///< the quantity on the y axis, as the point under the mouse names it
    QString unit;    ///< its unit
    QColor color;
    QVector<QPointF> points;
    Qt::PenStyle style = Qt::SolidLine;
};

/// A vertical line at x, labelled, for a position the reader should see.
struct PlotMarker {
    QString label;
    double x;
};

/// A point the reader should find on a line: a dot and its label.
struct PlotMark {
    QString label;
    QPointF at;
    QColor color;
};

/// The area between two lines, filled lightly: a band such as a stack's loading and unloading
/// forces around its friction-free one. The lines themselves are series of their own.
struct PlotBand {
    QColor color;
    QVector<QPointF> upper, lower;
};

/// One pair of axes with its series, bands, markers and marks. A panel without points in its
/// series is not drawn.
struct PlotPanel {
    QString x_label, y_label;  ///< the axes' titles, with units
    QString x_symbol, x_unit;  ///< the quantity on the x axis and its unit
    QVector<PlotSeries> series;
    QVector<PlotMarker> markers;
    QVector<PlotMark> marks;
    QVector<PlotBand> bands;
};

/// A point of a plot: which panel, series and point; -1 where there is none.
struct PlotPoint {
    int panel = -1, series = -1, point = -1;
    bool valid() const { return point >= 0; }
    friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};

}  // namespace curve
