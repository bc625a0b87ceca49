// A row: a spring with everything its options ask for, and its findings.
#include "calc/row.h"

#include <cmath>

#include "calc/disc_spring_steps.h"
#include "runtime/checked_math.h"

namespace calc {
namespace {

using detail::SpringAndRate;
using detail::SpringAsk;

// What a row asks of its spring.
SpringAsk AskOf(const RowInputs& in, const RowOptions& options) {
    return {in.spring, options.flats ? std::optional(in.t_reduced) : std::nullopt, options.material,
            options.rate, options.outer_edge};
}

runtime::Expected<SpringAndRate, SpringFault> Stepwise(const RowInputs& in,
                                                       const RowOptions& options) {
    return detail::ComputeSpringStepwise(AskOf(in, options));
}

template <typename Spring>
runtime::Expected<RowResults, RowError> Compute(const RowInputs& in, const RowOptions& options,
                                                const Spring& spring_of) {
    if (options.flats && !(in.t_reduced > 0 && in.t_reduced <= in.spring.t)) {
        return RowError{Refusal{Refusal::Kind::kReducedThickness, in.t_reduced, in.spring.t}};
    }
    const auto spring = spring_of(in, options);
    if (!spring) {
        return RowError{spring.error()};
    }
    RowResults row{spring->spring, std::nullopt, std::nullopt,
                   std::nullopt,   std::nullopt, std::nullopt};
    if (options.outer_edge) {
        row.sigma4 = spring->sigma4;
    }
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
        if (options.rate) {
            runtime::CheckedMath m;
            const double nR = m.Mul(n, *row.rate);  // n and i are exact
            const double R_stack = m.Div(nR, options.stack->series);
            if (m.fault()) {
                return RowError{detail::Stopped(m, Quantity::kStackRate)};
            }
            row.stack_rate = R_stack;
        }
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

template <typename Spring>
Row RowWith(const RowInputs& in, const RowOptions& options, const Spring& spring_of) {
    Row row{Compute(in, options, spring_of), std::nullopt};
    if (options.check) {
        row.findings = CheckRow(in, options);
        if (row.results && Overstressed(row.results->spring.sigma_om, options.material)) {
            row.findings->add(Finding::kOverstressed);
        }
    }
    return row;
}

}  // namespace

namespace detail {

runtime::Expected<SpringAndRate, SpringFault> RowSpring(const RowInputs& in,
                                                        const RowOptions& options) {
    return ComputeSpring(AskOf(in, options));
}

Row CalculateRowStepwise(const RowInputs& in, const RowOptions& options) {
    return RowWith(in, options, Stepwise);
}

}  // namespace detail

Findings CheckRow(const RowInputs& in, const RowOptions& options) {
    Findings found =
        CheckDesign(in.spring, options.flats ? std::optional<double>(in.t_reduced) : std::nullopt);
    if (!options.material.Rm) {
        found.add(Finding::kStrengthUnknown);
    }
    if (options.stack) {
        SpringInputs unloaded = in.spring;
        unloaded.f = 0;  // L = L0
        const auto free =
            CalculateStack(unloaded, 0, *options.stack,
                           options.flats ? std::optional(in.t_reduced) : std::nullopt);
        if (free && LongStack(free->L, in.spring.D)) {
            found.add(Finding::kLongStack);
        }
    }
    if (options.friction) {
        const int n = options.stack ? options.stack->parallel : 1;
        if (FrictionBeyondTypical(n, *options.friction)) {
            found.add(Finding::kFrictionBeyondTypical);
        }
        if (FrictionNearLocking(n, *options.friction)) {
            found.add(Finding::kNearLocking);
        }
    }
    return found;
}

bool Overstressed(double sigma_om, const Material& material) {
    return CheckStrength(0, 0, sigma_om, material).has_value();
}

Row CalculateRow(const RowInputs& in, const RowOptions& options) {
    return RowWith(in, options, detail::RowSpring);
}

}  // namespace calc
