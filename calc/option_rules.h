// The options of a row or a characteristic: their values' ranges, and the rules between them.
#pragma once

#include <optional>

#include "calc/row.h"

namespace calc {

/// The values that ask a row (or a characteristic) for more than one spring of spring steel,
/// each with the range it must lie in.
enum class OptionValue {
    kSteps,            ///< N, the steps of a characteristic
    kSeries,           ///< i, packets in series
    kParallel,         ///< n, springs nested in a packet
    kModulus,          ///< E, MPa
    kPoisson,          ///< μ
    kSurfaceFriction,  ///< w_M, between nested springs
    kEdgeFriction,     ///< w_R, at the load-bearing edges
    kStrength,         ///< Rm, the tensile strength, MPa
};

/// A range of values; an edge is inside unless said otherwise.
struct OptionRange {
    double low, high;
    bool low_inside = true;
    bool high_inside = true;
    bool whole = false;  ///< whole numbers only
};

/// The range of each value: counts 1 … 100000, 0 < E ≤ 10⁷ MPa, 0 ≤ μ < 0.5 (the relations'
/// 1 − μ² stays positive and the material physical), friction 0 … 0.2 (DIN 2092's values lie far
/// below), 0 < Rm ≤ 10⁵ MPa.
const OptionRange& RangeOf(OptionValue value);

/// Whether `number` lies in `range` (NaN never does).
bool InRange(double number, const OptionRange& range);

/// Why options cannot be used together or alone.
struct OptionProblem {
    enum class Kind {
        kOutOfRange,   ///< `value` lies outside its range
        kSelfLocking,  ///< friction with n springs in parallel locks the stack
    };
    Kind kind;
    OptionValue value;  ///< the value out of range; kSurfaceFriction for self-locking
    int parallel = 1;   ///< self-locking: the stack's n

    friend bool operator==(const OptionProblem&, const OptionProblem&) = default;
};

/// The first problem of a row's options, in the order stack, material (E, μ, Rm), friction,
/// locking.
std::optional<OptionProblem> CheckRowOptions(const RowOptions& options);

}  // namespace calc
