// The deflection for a force, and a working point's deflection by travel or by force.
#pragma once

#include <memory>

#include "calc/row.h"
#include "runtime/expected.h"

namespace calc {

/// The deflection f of one spring at which it, or the options' stack (n × F, friction left out),
/// carries `force` in N, for the spring's material and contact flats.
///
/// The spring is loaded from f = 0 towards flat (h0, or h0′ with contact flats) and the first
/// crossing of the force is taken: on a characteristic with a falling branch (h0/t above √2)
/// that is the one a loaded spring reaches first, before the force's peak. Of the numbers of 15
/// significant digits around the crossing, one whose force shows as `force` does is returned, else
/// the one whose force is nearest `force` (the smaller on a tie), so the result does not depend on
/// how the crossing was found, and typing it into the calculator gives the force that is nearest.
///
/// Refuses a negative force, a spring without cone height, a t′ outside 0 < t′ ≤ t, and a force
/// above the most the spring reaches before flat (the refusal's limit), compared as shown: a
/// force that shows as that most is reached. A fault of the model at the spring's coefficients
/// is returned as such.
runtime::Expected<double, RowError> DeflectionForForce(const RowInputs& spring,
                                                       const RowOptions& options, double force);

/// DeflectionForForce for many forces on one spring: what does not depend on the force is
/// formed once. Gives the same bits as DeflectionForForce.
class ForceSearch {
public:
    /// Refuses as DeflectionForForce does before any force is asked.
    static runtime::Expected<ForceSearch, RowError> For(const RowInputs& spring,
                                                        const RowOptions& options);
    runtime::Expected<double, RowError> Deflection(double force) const;

private:
    struct State;
    std::shared_ptr<const State> state_;
};

/// The deflection of one spring at a working point given as the options' stack's travel s
/// (one spring's f without a stack), each spring taking s ÷ i as shown (15 significant
/// digits), or a neighbour in its last digit when only that makes i × f show as s, or as a force
/// (DeflectionForForce): how a design's working points and a selection's candidates are placed, so
/// that both give the batch tool's rows.
runtime::Expected<double, RowError> DeflectionAtPoint(const RowInputs& spring,
                                                      const RowOptions& options, bool by_force,
                                                      double value);

}  // namespace calc
