#include "calc/row.h"

#include <cmath>

#include "calc/contact_flats_steps.h"
#include "calc/spring_rate_steps.h"
#include "runtime/checked_math.h"

namespace calc {
namespace {

struct SpringAndRate {
    SpringResults spring;
    double rate = 0;
};

// The spring, with or without contact flats, and its rate when wanted, from one set of
// coefficients.
template <typename Math>
runtime::Expected<SpringAndRate, SpringFault> Evaluate(Math& m, const RowInputs& in,
                                                       const RowSpec& spec) {
    const SpringInputs& s = in.spring;
    const auto shape = detail::EvaluateShape(
        m, s, spec.flats ? std::optional(in.t_reduced) : std::nullopt, spec.material);
    if (!shape) {
        return shape.error();
    }
    const detail::Shape& g = *shape;
    const auto spring =
        spec.flats ? detail::EvaluateFlattedResults(m, g.k, g.t, g.h0, g.K4, s.f, spec.material)
                   : detail::EvaluateResults(m, g.k, g.t, s.f, spec.material);
    if (!spring) {
        return spring.error();
    }
    SpringAndRate result{*spring};
    if (spec.rate) {
        const auto rate = detail::EvaluateRate(m, g.k, g.t, g.h0, g.K4, s.f, spec.material);
        if (!rate) {
            return rate.error();
        }
        result.rate = *rate;
    }
    return result;
}

// As CalculateSpring: a fast pass settles that nothing faulted, else the checked steps find the
// first fault.
runtime::Expected<SpringAndRate, SpringFault> SpringWithRate(const RowInputs& in,
                                                             const RowSpec& spec) {
    runtime::FaultFlagMath fast;
    auto result = Evaluate(fast, in, spec);
    if (!fast.divisor_not_finite() && detail::AllFinite(result->spring) &&
        std::isfinite(result->rate)) {
        return result;
    }
    runtime::CheckedMath checked;
    return Evaluate(checked, in, spec);
}

runtime::Expected<RowResults, RowError> Compute(const RowInputs& in, const RowSpec& spec) {
    if (spec.flats && !(in.t_reduced > 0 && in.t_reduced <= in.spring.t)) {
        return RowError{Refusal{Refusal::Kind::kReducedThickness, in.t_reduced, in.spring.t}};
    }
    const auto spring = SpringWithRate(in, spec);
    if (!spring) {
        return RowError{spring.error()};
    }
    RowResults row{spring->spring, std::nullopt, std::nullopt, std::nullopt};
    if (spec.rate) {
        row.rate = spring->rate;
    }
    const std::optional<double> t_reduced =
        spec.flats ? std::optional<double>(in.t_reduced) : std::nullopt;
    double nF = row.spring.F;
    int n = 1;
    if (spec.stack) {
        const auto stack = CalculateStack(in.spring, row.spring.F, *spec.stack, t_reduced);
        if (!stack) {
            return RowError{stack.error()};
        }
        row.stack = *stack;
        nF = stack->F_stack;
        n = spec.stack->parallel;
    }
    if (spec.friction) {
        const auto friction = CalculateFriction(nF, n, *spec.friction);
        if (!friction) {
            return RowError{friction.error()};
        }
        row.friction = *friction;
    }
    return row;
}

}  // namespace

Findings CheckRow(const RowInputs& in, const RowSpec& spec) {
    return CheckDesign(in.spring, spec.flats ? std::optional<double>(in.t_reduced) : std::nullopt);
}

Row CalculateRow(const RowInputs& in, const RowSpec& spec) {
    Row row{Compute(in, spec), std::nullopt};
    if (spec.check) {
        row.findings = CheckRow(in, spec);
    }
    return row;
}

}  // namespace calc
