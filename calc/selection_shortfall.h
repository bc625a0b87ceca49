// Why a requirement finds no candidate, with the values its space reaches.
#pragma once

#include <vector>

#include "calc/selection_space.h"

namespace calc::detail {

/// Why a space holds no candidate: no spring fits; none may be used (with every reason that
/// excluded one); or the point whose asked value lies beyond what usable springs and stacks
/// reach, with that extreme; or the nearest of them. The extremes are those of the whole space
/// (every spring offered, every stack within the limits), found through the cheap relation
/// along each spring's usable run of stacks and named as the rows give them.
Shortfall FindShortfall(SelectionSpace& space, const std::vector<SpaceSpring>& springs);

}  // namespace calc::detail
