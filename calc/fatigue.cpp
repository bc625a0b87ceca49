#include "calc/fatigue.h"

namespace calc {

LoadCycle CycleOf(const SpringResults& lower, const SpringResults& upper) {
    const bool at_III = upper.sigma3 > upper.sigma2;
    const double sigma_lower = at_III ? lower.sigma3 : lower.sigma2;
    const double sigma_upper = at_III ? upper.sigma3 : upper.sigma2;
    return {at_III, sigma_lower, sigma_upper, sigma_upper - sigma_lower};
}

}  // namespace calc
