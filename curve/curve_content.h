#pragma once

#include <QStringList>
#include <cstddef>
#include <stop_token>
#include <string>
#include <vector>

#include "curve/plot.h"

namespace curve {

/// The window's inputs as typed (UTF-8): the spring, the end of the curve (blank: h0), the
/// stack (blank: 1) and the number of steps (blank: 50).
struct CurveInputTexts {
    std::string D, d, t, H, f_end;
    std::string series, parallel, steps;
};

/// What disc-spring-batch --curve prints for the spring: a header line, then one line a point,
/// each led by the spring's number, and where each line begins.
struct CurveTable {
    std::string text;
    std::vector<std::size_t> starts;  ///< the header's first, then each row's, then text.size()
    std::vector<int> fault_rows;      ///< the rows that report a fault instead of numbers
    int fault_span = 0;               ///< the numeric columns a fault row's report spans

    int rows() const { return starts.empty() ? 0 : static_cast<int>(starts.size()) - 2; }
    /// Line `row` (-1: the header) without its line end.
    std::string_view line(int row) const;
};

/// What the window shows for its inputs.
struct CurveContent {
    CurveTable table;
    QVector<PlotPanel> panels;  ///< F over f, F_stack over s for a stack, the stresses over f
    QStringList findings;       ///< what the user should know of the texts, the spring, a fault
    /// Why there is no table to copy (the counts are unusable), or empty.
    QString no_table;
    /// Why there is no plot to save (no point could be computed), or empty.
    QString no_plot;
};

/// Computes the characteristic through the same functions as disc-spring-batch --curve N
/// (with --series/--parallel when i or n is not 1). Gives up early, with an incomplete
/// content, once `stop` is requested.
CurveContent ComputeCurve(const CurveInputTexts& inputs, std::stop_token stop = {});

}  // namespace curve
