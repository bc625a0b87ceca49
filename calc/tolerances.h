// A disc spring's tolerances by DIN 2093 / EN 16983: thickness, free height, test force.
#pragma once

#include <optional>

namespace calc {

/// A tolerance: how far a value may lie above and below its nominal one (both as positive
/// numbers), in the unit of the value or in per cent.
struct Tolerance {
    double plus, minus;

    friend bool operator==(const Tolerance&, const Tolerance&) = default;
};

/// The tolerances of a disc spring by DIN 2093 / EN 16983, as a disc-spring maker's public
/// support page prints the standard's table: on the thickness t (t′ with contact flats), on the
/// free height l0 (by t), and on the force at the test length l0 − 0.75·h0 (by t or t′, in per
/// cent).
struct SpringTolerances {
    Tolerance thickness;  ///< mm
    Tolerance height;     ///< mm
    Tolerance force;      ///< per cent of the test force
};

/// The tolerances for a spring of thickness t (t′ with contact flats: the bands are the same);
/// none outside the table's 0.2 … 16 mm.
std::optional<SpringTolerances> TolerancesFor(double thickness);

}  // namespace calc
