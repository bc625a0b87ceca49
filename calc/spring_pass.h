// The one way a spring's results are computed, for the calculator, a row and every search: on
// the model's own steps, with or without contact flats, and with the rate when asked.
#pragma once

#include <optional>

#include "calc/disc_spring.h"
#include "runtime/expected.h"

namespace calc {

/// Force and stresses by the Almen–László relations, every step one checked IEEE-754 double
/// operation in a fixed order. Stops at the first step that divides by zero, overflows or takes
/// the logarithm of a value that is not positive, and then returns that fault and no result.
/// Physically meaningless inputs (H < t, f > h0, D < d) still give numbers.
runtime::Expected<SpringResults, SpringFault> CalculateSpring(const SpringInputs& in);

/// The same steps for another material: E and μ in place of 206000 and 0.3.
runtime::Expected<SpringResults, SpringFault> CalculateSpring(const SpringInputs& in,
                                                              const Material& material);

}  // namespace calc

namespace calc::detail {

/// What is asked of one spring: its results at in.f, with contact flats when t_reduced is given
/// (t′), for a material, and its rate dF/df when `rate` is set.
struct SpringAsk {
    SpringInputs in;
    std::optional<double> t_reduced;
    Material material;
    bool rate = false;
    bool outer_edge = false;  ///< σIV too
};

/// A spring's force and stresses, and its rate when asked (else 0).
struct SpringAndRate {
    SpringResults spring;
    double rate = 0;
    double sigma4 = 0;  ///< σIV, when asked
};

/// The spring, first in a fast pass that only tells whether some step faulted, and only then
/// step by step to find the first fault: faults are rare.
runtime::Expected<SpringAndRate, SpringFault> ComputeSpring(const SpringAsk& ask);

/// The same with every step checked one by one: what the fast pass must agree with to the bit.
runtime::Expected<SpringAndRate, SpringFault> ComputeSpringStepwise(const SpringAsk& ask);

}  // namespace calc::detail
