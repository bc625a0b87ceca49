// The load cycle at points II and III.
#include "calc/fatigue.h"

namespace calc {

std::array<LoadCycle, 2> CyclesOf(const SpringResults& lower, const SpringResults& upper) {
    return {LoadCycle{false, lower.sigma2, upper.sigma2, upper.sigma2 - lower.sigma2},
            LoadCycle{true, lower.sigma3, upper.sigma3, upper.sigma3 - lower.sigma3}};
}

}  // namespace calc
