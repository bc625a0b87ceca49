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
                                                       const RowOptions& options) {
    const SpringInputs& s = in.spring;
    const auto shape = detail::EvaluateShape(
        m, s, options.flats ? std::optional(in.t_reduced) : std::nullopt, options.material);
    if (!shape) {
        return shape.error();
    }
    const detail::Shape& g = *shape;
    const auto spring = options.flats ? detail::EvaluateFlattedResults(m, g.k, g.t, g.h0, g.K4, s.f,
                                                                       options.material)
                                      : detail::EvaluateResults(m, g.k, g.t, s.f, options.material);
    if (!spring) {
        return spring.error();
    }
    SpringAndRate result{*spring};
    if (options.rate) {
        const auto rate = detail::EvaluateRate(m, g.k, g.t, g.h0, g.K4, s.f, options.material);
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
                                                             const RowOptions& options) {
    runtime::FaultFlagMath fast;
    auto result = Evaluate(fast, in, options);
    if (!fast.divisor_not_finite() && detail::AllFinite(result->spring) &&
        std::isfinite(result->rate)) {
        return result;
    }
    runtime::CheckedMath checked;
    return Evaluate(checked, in, options);
}

runtime::Expected<RowResults, RowError> Compute(const RowInputs& in, const RowOptions& options) {
    if (options.flats && !(in.t_reduced > 0 && in.t_reduced <= in.spring.t)) {
        return RowError{Refusal{Refusal::Kind::kReducedThickness, in.t_reduced, in.spring.t}};
    }
    const auto spring = SpringWithRate(in, options);
    if (!spring) {
        return RowError{spring.error()};
    }
    RowResults row{spring->spring, std::nullopt, std::nullopt, std::nullopt};
    if (options.rate) {
        row.rate = spring->rate;
    }
    const std::optional<double> t_reduced =
        options.flats ? std::optional<double>(in.t_reduced) : std::nullopt;
    double nF = row.spring.F;
    int n = 1;
    if (options.stack) {
        const auto stack = CalculateStack(in.spring, row.spring.F, *options.stack, t_reduced);
        if (!stack) {
            return RowError{stack.error()};
        }
        row.stack = *stack;
        nF = stack->F_stack;
        n = options.stack->parallel;
    }
    if (options.friction) {
        const auto friction = CalculateFriction(nF, n, *options.friction);
        if (!friction) {
            return RowError{friction.error()};
        }
        row.friction = *friction;
    }
    return row;
}

}  // namespace

Findings CheckRow(const RowInputs& in, const RowOptions& options) {
    return CheckDesign(in.spring,
                       options.flats ? std::optional<double>(in.t_reduced) : std::nullopt);
}

Row CalculateRow(const RowInputs& in, const RowOptions& options) {
    Row row{Compute(in, options), std::nullopt};
    if (options.check) {
        row.findings = CheckRow(in, options);
    }
    return row;
}

}  // namespace calc
