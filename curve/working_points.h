#pragma once

#include <QStringList>
#include <array>

#include "calc/row.h"
#include "curve/curve_content.h"

namespace curve {

/// The design values of a spring beside its characteristic.
struct DesignValues {
    std::array<WorkingPoint, 2> points;
    QStringList summary;   ///< problems, stroke and work between the points, the force at flat
    QStringList findings;  ///< the checks at the working points
    QVector<PlotMark> force_marks, stack_marks;  ///< the points on F over f and F_stack over s
};

/// Each working point as the batch tool computes it: by deflection a plain row at f (for a
/// stack, f = s ÷ i as shown), by force its --force row; with the rate. Between two points the
/// stroke and the work (SpringWork, the integral of the force relation); the force at flat; and
/// the findings at the points: beyond 0.75·h0 or flat, and a lower point under 0.15·h0, where
/// makers advise at least 0.15 … 0.20·h0 of preload in fatigue loading so that cracks do not
/// start at point I. `spring`'s f is unused.
DesignValues ComputeDesignValues(const calc::RowInputs& spring, const calc::RowOptions& row_options,
                                 const std::array<WorkingPointText, 2>& texts);

}  // namespace curve
