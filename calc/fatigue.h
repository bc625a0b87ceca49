#pragma once

#include "calc/disc_spring.h"

namespace calc {

/// What a fatigue check of a load cycle between two working points needs. DIN 2093 judges it
/// by diagrams of σO over σU for the spring's thickness group, which are not public in numbers:
/// this program shows the stresses and leaves the judgement to those diagrams.
struct LoadCycle {
    /// Point III; else point II: whichever has the larger tensile stress at the upper point.
    bool at_III;
    double lower;  ///< σU, the stress there at the lower point, MPa
    double upper;  ///< σO, at the upper point, MPa
    double range;  ///< σH = σO − σU, one double operation
};

/// The cycle between a spring's results at its lower and upper working point.
LoadCycle CycleOf(const SpringResults& lower, const SpringResults& upper);

}  // namespace calc
