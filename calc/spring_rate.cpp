#include "calc/spring_rate.h"

#include "calc/contact_flats_steps.h"
#include "calc/spring_rate_steps.h"
#include "runtime/checked_math.h"

namespace calc {

runtime::Expected<double, SpringFault> SpringRate(const SpringInputs& in, const Material& material,
                                                  std::optional<double> t_reduced) {
    runtime::CheckedMath m;
    const auto coefficients = detail::EvaluateCoefficients(m, in, material);
    if (!coefficients) {
        return coefficients.error();
    }
    if (!t_reduced) {
        return detail::EvaluateRate(m, *coefficients, in.t, coefficients->h0, 1.0, in.f, material);
    }
    const auto flats = detail::EvaluateFlats(m, in, *t_reduced);
    if (!flats) {
        return flats.error();
    }
    return detail::EvaluateRate(m, *coefficients, *t_reduced, flats->h0, flats->K4, in.f, material);
}

}  // namespace calc
