#pragma once

#include <string>
#include <vector>

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

/// A tick's label, the same in every locale ("0.5", "1E+15").
std::string TickLabel(double value);

/// A value read off a plot, to a reader's precision (rows::Engineering: a length, in `unit`
/// "mm", to 0.001 mm; else 4 significant digits), the same in every locale ("9823",
/// "1.584E+09").
std::string ValueText(double value, const std::string& unit);

}  // namespace design
