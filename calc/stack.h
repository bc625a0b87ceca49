// A stack of springs: i packets in series of n springs in parallel.
#pragma once

#include <optional>

#include "calc/disc_spring.h"
#include "runtime/expected.h"

namespace calc {

/// The most packets, and the most springs in a packet, a stack may have.
inline constexpr int kMaxStackCount = 100000;

/// i packets stacked in series (alternating), each packet n springs nested in parallel.
/// Friction between the springs is neglected.
struct StackLayout {
    int series = 1;    ///< i ≥ 1
    int parallel = 1;  ///< n ≥ 1
};

/// What the stack does when each of its springs deflects by f.
struct StackResults {
    double s;        ///< travel i × f, mm
    double F_stack;  ///< force n × F, N
    double L;  ///< loaded length L0 − s, with free length L0 = i × (H + (n − 1) × t), mm
};

/// The stack columns for a spring at deflection in.f with force F, one checked double operation
/// per step in the order s, F_stack, L0, L; an overflow faults with the quantity it struck in.
/// A spring with contact flats nests by its reduced thickness: t_reduced takes the place of t
/// in L0.
runtime::Expected<StackResults, SpringFault> CalculateStack(const SpringInputs& in, double F,
                                                            StackLayout layout,
                                                            std::optional<double> t_reduced = {});

}  // namespace calc
