// The load cycle between two working points, at both points where fatigue cracks start.
#pragma once

#include <array>

#include "calc/disc_spring.h"

namespace calc {

/// A load cycle at one point of the spring's underside. DIN 2093 judges it by diagrams of σO
/// over σU for the spring's thickness group, which are not public in numbers: the user enters
/// lines read off them (calc/fatigue_lines.h).
struct LoadCycle {
    bool at_III;   ///< point III; else point II
    double lower;  ///< σU, the stress there at the lower working point, MPa
    double upper;  ///< σO, at the upper working point, MPa
    double range;  ///< σh = σO − σU, one double operation
};

/// The cycle between a spring's results at its lower and upper working point, at II and at III
/// (in that order): the larger range may lie at either, by δ, h0/t and the deflections, so both
/// are judged.
std::array<LoadCycle, 2> CyclesOf(const SpringResults& lower, const SpringResults& upper);

}  // namespace calc
