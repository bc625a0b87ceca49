#pragma once

#include <QString>
#include <vector>

namespace curve {

/// The range an axis shows and its ticks, chosen from the data limits: a step of 1, 2 or 5
/// times a power of ten, the range widened to whole steps.
struct AxisScale {
    double low, high;
    std::vector<double> ticks;
};

/// At most about `target` ticks over [low, high]; an empty or degenerate range is widened.
AxisScale ChooseScale(double low, double high, int target);

/// A tick's label, the same in every locale ("0.5", "1E+15").
QString TickLabel(double value);

/// A value read off the plot, to 6 significant digits, the same in every locale ("9822.56").
QString ValueText(double value);

}  // namespace curve
