#include "calc/contact_flats.h"

#include "calc/contact_flats_steps.h"
#include "runtime/checked_math.h"

namespace calc {
namespace {

template <typename Math>
runtime::Expected<SpringResults, SpringFault> Evaluate(Math& m, const SpringInputs& in,
                                                       double t_reduced, const Material& material) {
    const auto coefficients = detail::EvaluateCoefficients(m, in, material);
    if (!coefficients) {
        return coefficients.error();
    }
    const auto flats = detail::EvaluateFlats(m, in, t_reduced);
    if (!flats) {
        return flats.error();
    }
    return detail::EvaluateFlattedResults(m, *coefficients, t_reduced, flats->h0, flats->K4, in.f,
                                          material);
}

}  // namespace

runtime::Expected<SpringResults, SpringFault> CalculateFlattedSpring(const SpringInputs& in,
                                                                     double t_reduced,
                                                                     const Material& material) {
    runtime::FaultFlagMath fast;
    auto results = Evaluate(fast, in, t_reduced, material);
    if (!fast.divisor_not_finite() && detail::AllFinite(*results)) {
        return results;
    }
    runtime::CheckedMath checked;
    return Evaluate(checked, in, t_reduced, material);
}

}  // namespace calc
