// An axis's range and ticks, chosen from the data limits.
#pragma once

#include <string>
#include <vector>

#include "design/plot_data.h"

namespace design {

/// The range an axis shows and its ticks, chosen from the data limits: a step of 1, 2 or 5
/// times a power of ten, the range widened to whole steps.
struct AxisScale {
    double low, high;
    std::vector<double> ticks;
};

/// At most about `target` ticks over [low, high], for any finite limits however far apart; an
/// empty, degenerate or non-finite range is widened around what is finite.
AxisScale ChooseScale(double low, double high, int target);

/// The ticks a panel's axes aim at.
inline constexpr int kTicks = 6;

/// A panel's two axes, from everything it shows: its series, bands, markers and marks; the y
/// axis always holds 0.
struct PanelScales {
    AxisScale x, y;
};
PanelScales ScalesOf(const PlotPanel& panel);

/// Whether a panel has anything to draw: a series with points.
bool HasPoints(const PlotPanel& panel);

/// The points of a line as a plot `columns` wide shows them, in order: of each column of x, the
/// first, lowest, highest and last point (each a point of the line), so that a line of many more
/// points than the plot has columns looks the same at a fraction of the points.
std::vector<Point> Thinned(const std::vector<Point>& points, const AxisScale& x, int columns);

/// A tick's label, the same in every locale ("0.5", "1E+15").
std::string TickLabel(double value);

/// A value read off a plot, to a reader's precision (rows::Engineering: a length, in `unit`
/// "mm", to 0.001 mm; else 4 significant digits), the same in every locale ("9823",
/// "1.584E+09").
std::string ValueText(double value, const std::string& unit);

}  // namespace design
