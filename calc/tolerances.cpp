// The DIN 2093 / EN 16983 tolerance bands by thickness.
#include "calc/tolerances.h"

namespace calc {

std::optional<SpringTolerances> TolerancesFor(double t) {
    // Bands as the table prints them: 0.2 … 0.6, > 0.6 … < 1.25, 1.25 … 3.8, > 3.8 … 6.0,
    // > 6.0 … 16.0 for the thickness; < 1.25, 1.25 … 2.0, > 2.0 … 3.0, > 3.0 … 6.0, > 6.0 … 16.0
    // for the free height and < 1.25, 1.25 … 3.0, > 3.0 … 6.0, > 6.0 … 16.0 for the force.
    if (!(t >= 0.2 && t <= 16)) {
        return std::nullopt;
    }
    SpringTolerances tolerances{};
    tolerances.thickness = t <= 0.6   ? Tolerance{0.02, 0.06}
                           : t < 1.25 ? Tolerance{0.03, 0.09}
                           : t <= 3.8 ? Tolerance{0.04, 0.12}
                           : t <= 6.0 ? Tolerance{0.05, 0.15}
                                      : Tolerance{0.10, 0.10};
    tolerances.height = t < 1.25 ? Tolerance{0.10, 0.05}
                        : t <= 2 ? Tolerance{0.15, 0.08}
                        : t <= 3 ? Tolerance{0.20, 0.10}
                        : t <= 6 ? Tolerance{0.30, 0.15}
                                 : Tolerance{0.30, 0.30};
    tolerances.force = t < 1.25 ? Tolerance{25, 7.5}
                       : t <= 3 ? Tolerance{15, 7.5}
                       : t <= 6 ? Tolerance{10, 5}
                                : Tolerance{5, 5};
    return tolerances;
}

}  // namespace calc
