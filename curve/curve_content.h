#pragma once

#include <QStringList>
#include <string>
#include <vector>

#include "curve/plot.h"

namespace curve {

/// The window's inputs as typed (UTF-8): the spring, the end of the curve (empty: h0), the
/// stack (empty: 1) and the number of steps (empty: 50).
struct CurveInputTexts {
    std::string D, d, t, H, f_end;
    std::string series, parallel, steps;
};

/// What the window shows for its inputs.
struct CurveContent {
    QStringList header;             ///< the table's column names
    std::vector<QStringList> rows;  ///< its rows: the batch tool's, without the spring number
    QVector<PlotPanel> panels;      ///< force over travel; the four stresses over f
    QStringList findings;           ///< sentences about the spring's shape, and any fault
    std::string batch_text;         ///< what disc-spring-batch --curve prints for it
};

/// Computes the characteristic through the same functions as disc-spring-batch --curve N
/// (with --series/--parallel when i or n is not 1).
CurveContent ComputeCurve(const CurveInputTexts& inputs);

}  // namespace curve
