// The spring rate through the model's coefficients.
#include "calc/spring_rate.h"

#include "calc/contact_flats_steps.h"
#include "calc/spring_rate_steps.h"
#include "runtime/checked_math.h"

namespace calc {

runtime::Expected<double, SpringFault> SpringRate(const SpringInputs& in, const Material& material,
                                                  std::optional<double> t_reduced) {
    runtime::CheckedMath m;
    const auto shape = detail::EvaluateShape(m, in, t_reduced, material);
    if (!shape) {
        return shape.error();
    }
    return detail::EvaluateRate(m, shape->k, shape->t, shape->h0, shape->K4, in.f, material);
}

}  // namespace calc
