// What a plot shows, as plain values: every face draws the same panels, series and marks, each
// with its own toolkit. Nothing here knows of springs.
#pragma once

#include <string>
#include <vector>

namespace design {

/// A point in data units.
struct Point {
    double x, y;

    friend bool operator==(const Point&, const Point&) = default;
};

/// A colour, 0 … 255 a channel.
struct Rgb {
    int r, g, b;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class LineStyle { kSolid, kDashed };

/// One line of a plot: its points in the order they are joined.
struct PlotSeries {
    std::string name;    ///< shown in the legend and beside the point under the mouse
    std::string symbol;  ///< the quantity on the y axis, as the point under the mouse names it
    std::string unit;    ///< its unit
    Rgb color;
    std::vector<Point> points;
    LineStyle style = LineStyle::kSolid;
};

/// A vertical line at x, labelled, for a position the reader should see.
struct PlotMarker {
    std::string label;
    double x;
};

/// A point the reader should find on a line: a dot and its label.
struct PlotMark {
    std::string label;
    Point at;
};

/// The area between two lines, filled lightly, such as a stack's loading and unloading forces
/// around its friction-free one. The lines themselves are series of their own.
struct PlotBand {
    Rgb color;
    std::vector<Point> upper, lower;
};

/// One pair of axes with its series, bands, markers and marks. A panel without points in its
/// series is not drawn.
struct PlotPanel {
    std::string x_label, y_label;  ///< the axes' titles, with units
    std::string x_symbol, x_unit;  ///< the quantity on the x axis and its unit
    std::vector<PlotSeries> series;
    std::vector<PlotMarker> markers;
    std::vector<PlotMark> marks;
    std::vector<PlotBand> bands;
};

}  // namespace design
