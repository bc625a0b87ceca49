// The search for a requirement's candidates: every catalogue spring and every special spring of
// the outline, in every stack within the limits, judged and ranked.
#pragma once

#include <vector>

#include "calc/selection.h"

namespace calc {

/// Searches the catalogue and the special springs' outline. The space searched is every
/// catalogue spring and every special spring that fits, each in every stack within the limits.
/// A special spring has D the largest that fits the bore, or 0.8, 0.63 or 0.5 of it, to 0.1 mm;
/// d the smallest that fits the rod, or D ÷ 2, to 0.1 mm; t from kStripThicknesses; H to
/// 0.05 mm with h0/t from 0.4 to 1.3; and lies inside the ranges the design checks hold D/d,
/// D/t and h0/t to.
///
/// A candidate fits the space with the clearance of its own guided diameter (De in the bore,
/// Di on the rod), meets every point within its tolerance, is no longer than allowed at its
/// lower point, no longer than 3·D unless allowed, stays within 0.75·h0 (h0′ with flats) at every
/// point, keeps σOM ≤ Rm at its test deflection (Inspect) and at its upper point, does not lock
/// (with friction), and preloads by 0.15·h0 at its lower point under a dynamic load: a spring the
/// design checks find nothing on; and with a required life, the fatigue lines hold for it at that
/// life at both points II and III. Without the material's Rm no special spring is designed. When
/// there is none, the shortfall's values are the extremes over the whole space searched, or, when
/// stacks met all but the life, how many and why the lines did not give it. The requirement must
/// pass CheckRequirement.
Selection Select(const Requirement& requirement, const std::vector<CatalogueSpring>& catalogue);

}  // namespace calc
