// The one pass that computes a spring, and the calculator's CalculateSpring on it.
#include "calc/spring_pass.h"

#include <cmath>

#include "calc/contact_flats_steps.h"
#include "calc/spring_rate_steps.h"
#include "runtime/checked_math.h"

namespace calc::detail {
namespace {

// The spring, with or without contact flats, and its rate when wanted, from one set of
// coefficients.
template <typename Math>
runtime::Expected<SpringAndRate, SpringFault> Evaluate(Math& m, const SpringAsk& ask) {
    const SpringInputs& s = ask.in;
    const auto shape = EvaluateShape(m, s, ask.t_reduced, ask.material);
    if (!shape) {
        return shape.error();
    }
    const Shape& g = *shape;
    const auto spring = ask.t_reduced
                            ? EvaluateFlattedResults(m, g.k, g.t, g.h0, g.K4, s.f, ask.material)
                            : EvaluateResults(m, g.k, g.t, s.f, ask.material);
    if (!spring) {
        return spring.error();
    }
    SpringAndRate result{*spring};
    if (ask.rate) {
        const auto rate = EvaluateRate(m, g.k, g.t, g.h0, g.K4, s.f, ask.material);
        if (!rate) {
            return rate.error();
        }
        result.rate = *rate;
    }
    if (ask.outer_edge) {
        const auto sigma4 = EvaluateOuterEdge(m, g, s.f, ask.material);
        if (!sigma4) {
            return sigma4.error();
        }
        result.sigma4 = *sigma4;
    }
    return result;
}

}  // namespace

runtime::Expected<SpringAndRate, SpringFault> ComputeSpring(const SpringAsk& ask) {
    runtime::FaultFlagMath fast;
    auto result = Evaluate(fast, ask);
    if (!fast.divisor_not_finite() && AllFinite(result->spring) && std::isfinite(result->rate) &&
        std::isfinite(result->sigma4)) {
        return result;
    }
    return ComputeSpringStepwise(ask);
}

runtime::Expected<SpringAndRate, SpringFault> ComputeSpringStepwise(const SpringAsk& ask) {
    runtime::CheckedMath checked;
    return Evaluate(checked, ask);
}

}  // namespace calc::detail

namespace calc {

runtime::Expected<SpringResults, SpringFault> CalculateSpring(const SpringInputs& in) {
    return CalculateSpring(in, Material{});
}

runtime::Expected<SpringResults, SpringFault> CalculateSpring(const SpringInputs& in,
                                                              const Material& material) {
    const auto spring = detail::ComputeSpring({in, std::nullopt, material});
    if (!spring) {
        return spring.error();
    }
    return spring->spring;
}

}  // namespace calc
