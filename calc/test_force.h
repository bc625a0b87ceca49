// How a single spring is inspected: its test force at the test length, with the standard's
// tolerance, and its strength there.
#pragma once

#include <optional>

#include "calc/row.h"
#include "calc/tolerances.h"

namespace calc {

/// A single spring at its test length l0 − 0.75·h0 (DIN 2093 / EN 16983), h0 = H − t also for a
/// spring with contact flats, whose force there the standard keeps equal to that of the same
/// spring without flats. Where a maker tests the spring, and where the selection holds σOM to Rm.
struct Inspection {
    int group = 0;                      ///< the thickness group, by t as made
    double f = 0;                       ///< the test deflection 0.75·h0, as shown
    double length = 0;                  ///< the test length H − f, mm
    double force = 0;                   ///< the force there, N (one spring, friction left out)
    double sigma_om = 0;                ///< σOM there, MPa
    std::optional<double> utilisation;  ///< σOM ÷ Rm; none when Rm is not known
    double thickness = 0;  ///< t, or t′ with contact flats: what the tolerances go by
    std::optional<SpringTolerances> tolerances;  ///< none outside the table's 0.2 … 16 mm
};

/// The spring inspected with its contact flats (when `flats`) and material; none when it has no
/// cone height as shown or its row at the test deflection faults.
std::optional<Inspection> Inspect(const RowInputs& spring, bool flats, const Material& material);

}  // namespace calc
