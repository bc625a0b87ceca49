// The spring rate dF/df of one spring.
#pragma once

#include <optional>

#include "calc/disc_spring.h"
#include "runtime/expected.h"

namespace calc {

/// The spring rate R = dF/df of one spring at in.f, in N/mm: the derivative of the force
///   R = 4E·t³ ÷ N · [(h0/t)² − 3·(h0/t)·(f/t) + 1.5·(f/t)² + 1],  N = K1·(1 − μ²)·D²,
/// and with contact flats (t_reduced set)
///   R = 4E·t′³ ÷ N · K4² · [K4²·((h0′/t′)² − 3·(h0′/t′)·(f/t′) + 1.5·(f/t′)²) + 1].
/// One double operation per step, in the order written; faults as CalculateSpring does.
runtime::Expected<double, SpringFault> SpringRate(const SpringInputs& in, const Material& material,
                                                  std::optional<double> t_reduced = {});

}  // namespace calc
