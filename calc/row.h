#pragma once

#include <optional>
#include <variant>

#include "calc/design_check.h"
#include "calc/disc_spring.h"
#include "calc/friction.h"
#include "calc/stack.h"
#include "runtime/expected.h"

namespace calc {

/// How a row computes and what it computes beyond a spring's force and stresses.
struct RowOptions {
    Material material;                 ///< spring steel unless given
    bool flats = false;                ///< springs with contact flats: each has its t′
    bool rate = false;                 ///< the spring rate dF/df
    std::optional<StackLayout> stack;  ///< s, F_stack and L
    std::optional<Friction> friction;  ///< F_load and F_unload of the stack (n = 1 without)
    bool check = false;                ///< the design findings
};

/// One spring as a row takes it.
struct RowInputs {
    SpringInputs spring;
    double t_reduced = 0;  ///< t′, when the options ask for flats
};

/// An input the relations do not take; not a fault of the calculation, and worded by whoever
/// shows it.
struct Refusal {
    enum class Kind {
        kReducedThickness,  ///< t′ (value) outside 0 < t′ ≤ t (limit)
        kNegativeForce,     ///< the force (value) is below 0
        kBeyondReach,       ///< the force (value) is more than the most before flat (limit)
        kNoConeHeight,      ///< H ≤ t: the spring has no travel to carry a force with
    };
    Kind kind;
    double value = 0;
    double limit = 0;

    friend bool operator==(const Refusal&, const Refusal&) = default;
};

/// Why a row has no numbers: a fault of the calculation, reported as the calculator reports
/// it, or a refusal.
using RowError = std::variant<SpringFault, Refusal>;

/// What one row computes.
struct RowResults {
    SpringResults spring;
    std::optional<double> rate;
    std::optional<StackResults> stack;
    std::optional<FrictionForces> friction;
};

/// One row: its numbers or why there are none, and, with checks, the findings for its inputs.
struct Row {
    runtime::Expected<RowResults, RowError> results;
    std::optional<Findings> findings;
};

/// The spring at in.spring.f with everything the options ask for, in the order spring (with
/// contact flats when the options ask for them), rate, stack, friction; the first fault of any of
/// them. The findings are those of the inputs as read, whatever the results.
Row CalculateRow(const RowInputs& in, const RowOptions& options);

/// The findings of a spring as a row checks it (without "t>6" for a spring with contact flats).
Findings CheckRow(const RowInputs& in, const RowOptions& options);

namespace detail {

/// A row's spring: force and stresses, and the rate when the options ask for it.
struct SpringAndRate {
    SpringResults spring;
    double rate = 0;
};

/// The one way every result is computed, the calculator's included: the spring (with contact
/// flats when the options ask for them) and its rate, first in a fast pass that only tells
/// whether some step faulted, and only then step by step to find the first fault.
runtime::Expected<SpringAndRate, SpringFault> RowSpring(const RowInputs& in,
                                                        const RowOptions& options);

/// CalculateRow with every step checked one by one: what the fast pass must agree with to the
/// bit (for tests and fuzzing).
Row CalculateRowStepwise(const RowInputs& in, const RowOptions& options);

}  // namespace detail

}  // namespace calc
