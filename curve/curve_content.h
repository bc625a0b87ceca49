#pragma once

#include <QStringList>
#include <array>
#include <cstddef>
#include <stop_token>
#include <string>
#include <vector>

#include "curve/curve_inputs.h"
#include "curve/plot.h"

namespace curve {

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

/// One working point as the window shows it.
struct WorkingPoint {
    bool given = false;
    QString problem;    ///< why it has no row (a force beyond reach, a fault), or empty
    QStringList cells;  ///< its row, with the table's columns (f first)
    std::string line;   ///< the same as the batch tool's text, tab-separated
    double f = 0, F = 0, s = 0, F_stack = 0;
};

/// What the data sheet shows beside the plot.
struct DataSheet {
    QStringList spring;             ///< dimensions, material, stack, friction, flats, one line each
    QStringList header;             ///< the table's columns
    std::vector<QStringList> rows;  ///< at 0, 0.25, 0.5, 0.75 and 1 of the way to flat
};

/// What the window shows for its inputs.
struct CurveContent {
    CurveTable table;
    QVector<PlotPanel> panels;  ///< F over f, F_stack over s for a stack, the stresses over f
    QStringList findings;       ///< what the user should know of the texts, the spring, a fault
    /// Why there is no table to copy (an input is unusable), or empty.
    QString no_table;
    /// Why there is no plot to save (no point could be computed), or empty.
    QString no_plot;
    std::array<WorkingPoint, 2> points;
    /// Stroke and work between the working points, the force at flat: one sentence each.
    QStringList summary;
    /// The spring in one line, for the caption of a saved picture.
    QString caption;
    DataSheet sheet;
    /// What 复制表格 copies: the table as the batch tool prints it, then the working points.
    std::string copy_text;
};

/// Computes the characteristic through the same functions as disc-spring-batch --curve N
/// --rate (with --series/--parallel when i or n is not 1, --flats when t′ is given, --material
/// and --friction when given), the working points as its --force rows and plain rows, and the
/// findings. Gives up early, with an incomplete content, once `stop` is requested.
CurveContent ComputeCurve(const CurveInputTexts& inputs, std::stop_token stop = {});

}  // namespace curve
