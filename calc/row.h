// A row as the batch tool computes it: a spring with its rate, stack, friction and checks.
#pragma once

#include <optional>
#include <variant>
#include <vector>

#include "calc/design_check.h"
#include "calc/disc_spring.h"
#include "calc/friction.h"
#include "calc/spring_pass.h"
#include "calc/stack.h"
#include "runtime/expected.h"

namespace calc {

/// How a row computes and what it computes beyond a spring's force and stresses.
struct RowOptions {
    Material material;                 ///< spring steel unless given
    bool flats = false;                ///< springs with contact flats: each has its t′
    bool rate = false;                 ///< the spring rate dF/df
    bool outer_edge = false;           ///< σIV, the stress at the outer upper edge
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
        kNegativeTravel,    ///< a stack's travel (value) is below 0
        kBeyondTravel,      ///< a stack's travel (value) is more than its stops allow (limit)
        kBeyondStops,       ///< a stack's force (value) is more than its last stop's (limit)
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
    std::optional<double> sigma4;  ///< σIV, with outer_edge
    std::optional<double> rate;
    std::optional<StackResults> stack;
    std::optional<double> stack_rate;  ///< n·R ÷ i, with the rate and a stack
    std::optional<FrictionForces> friction;
};

/// One row: its numbers or why there are none, and, with checks, the findings for its inputs
/// and the inputs whose texts were read only in part (by their quantities: D, d, t, t′, H, f).
struct Row {
    runtime::Expected<RowResults, RowError> results;
    std::optional<Findings> findings;
    std::vector<Quantity> partly_read = {};
    bool force_read = false;  ///< the last field read was a force (--force), not f
};

/// The spring at in.spring.f with everything the options ask for, in the order spring (with
/// contact flats when the options ask for them), rate, stack, stack rate, friction; the first
/// fault of any of them. The findings are those of the inputs and options as read, whatever the
/// results, and, when σOM is computed, whether it exceeds the material's Rm.
Row CalculateRow(const RowInputs& in, const RowOptions& options);

/// The findings of a spring and its options as a row checks them, without its results (no
/// "t>6" for a spring with contact flats; friction beyond the typical, near locking).
Findings CheckRow(const RowInputs& in, const RowOptions& options);

/// Whether σOM, as shown (15 significant digits), exceeds the material's tensile strength Rm;
/// never when Rm is not known.
bool Overstressed(double sigma_om, const Material& material);

namespace detail {

/// A row's spring (with contact flats when the options ask for them) and its rate, as
/// ComputeSpring gives them.
runtime::Expected<SpringAndRate, SpringFault> RowSpring(const RowInputs& in,
                                                        const RowOptions& options);

/// CalculateRow with every step checked one by one: what the fast pass must agree with to the
/// bit (for tests and fuzzing).
Row CalculateRowStepwise(const RowInputs& in, const RowOptions& options);

}  // namespace detail

}  // namespace calc
