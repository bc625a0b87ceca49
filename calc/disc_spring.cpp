#include "calc/disc_spring.h"

#include <cmath>

#include "calc/disc_spring_steps.h"
#include "runtime/checked_math.h"

namespace calc {

std::string_view QuantitySymbol(Quantity quantity) {
    switch (quantity) {
        case Quantity::kD:
            return "D";
        case Quantity::kd:
            return "d";
        case Quantity::kt:
            return "t";
        case Quantity::kH:
            return "H";
        case Quantity::kf:
            return "f";
        case Quantity::kh0:
            return "h0";
        case Quantity::kDelta:
            return "δ";
        case Quantity::kLnDelta:
            return "ln δ";
        case Quantity::kK1:
            return "K1";
        case Quantity::kK2:
            return "K2";
        case Quantity::kK3:
            return "K3";
        case Quantity::kN:
            return "N";
        case Quantity::kF:
            return "F";
        case Quantity::kSigmaOm:
            return "σom";
        case Quantity::kSigma1:
            return "σ1";
        case Quantity::kSigma2:
            return "σ2";
        case Quantity::kSigma3:
            return "σ3";
        case Quantity::kS:
            return "s";
        case Quantity::kFStack:
            return "F_stack";
        case Quantity::kL0:
            return "L0";
        case Quantity::kL:
            return "L";
    }
    return {};
}

runtime::Expected<SpringResults, SpringFault> CalculateSpring(const SpringInputs& in) {
    // Faults are rare: a pass that checks only divisors and results settles whether there is
    // one, and only then are the steps repeated one by one to find the first.
    runtime::FaultFlagMath fast;
    auto results = detail::EvaluateSpring(fast, in);
    const SpringResults& r = *results;
    if (!fast.divisor_not_finite() && std::isfinite(r.F) && std::isfinite(r.sigma_om) &&
        std::isfinite(r.sigma1) && std::isfinite(r.sigma2) && std::isfinite(r.sigma3)) {
        return results;
    }
    runtime::CheckedMath checked;
    return detail::EvaluateSpring(checked, in);
}

}  // namespace calc
