// The ranges of the options, and what they may not be together.
#include "calc/option_rules.h"

#include <cmath>

#include "calc/characteristic.h"
#include "calc/stack.h"

namespace calc {
namespace {

constexpr OptionRange kSteps{1, kMaxCurveSteps, true, true, true};
constexpr OptionRange kStackCount{1, kMaxStackCount, true, true, true};
constexpr OptionRange kModulus{0, 1e7, false, true};
constexpr OptionRange kPoisson{0, 0.5, true, false};
constexpr OptionRange kFriction{0, 0.2};
constexpr OptionRange kStrength{0, 1e5, false, true};

std::optional<OptionProblem> Outside(double number, OptionValue value) {
    if (InRange(number, RangeOf(value))) {
        return std::nullopt;
    }
    return OptionProblem{OptionProblem::Kind::kOutOfRange, value};
}

}  // namespace

const OptionRange& RangeOf(OptionValue value) {
    switch (value) {
        case OptionValue::kSteps:
            return kSteps;
        case OptionValue::kSeries:
        case OptionValue::kParallel:
            return kStackCount;
        case OptionValue::kModulus:
            return kModulus;
        case OptionValue::kPoisson:
            return kPoisson;
        case OptionValue::kStrength:
            return kStrength;
        case OptionValue::kSurfaceFriction:
        case OptionValue::kEdgeFriction:
            break;
    }
    return kFriction;
}

bool InRange(double number, const OptionRange& range) {
    const bool above_low = range.low_inside ? number >= range.low : number > range.low;
    const bool below_high = range.high_inside ? number <= range.high : number < range.high;
    return above_low && below_high && (!range.whole || std::floor(number) == number);
}

std::optional<OptionProblem> CheckRowOptions(const RowOptions& options) {
    const int n = options.stack ? options.stack->parallel : 1;
    std::optional<OptionProblem> problem;
    if (options.stack) {
        problem = Outside(options.stack->series, OptionValue::kSeries);
        if (!problem) {
            problem = Outside(options.stack->parallel, OptionValue::kParallel);
        }
    }
    if (!problem) {
        problem = Outside(options.material.E, OptionValue::kModulus);
    }
    if (!problem) {
        problem = Outside(options.material.mu, OptionValue::kPoisson);
    }
    if (!problem && options.material.Rm) {
        problem = Outside(*options.material.Rm, OptionValue::kStrength);
    }
    if (!problem && options.friction) {
        problem = Outside(options.friction->w_M, OptionValue::kSurfaceFriction);
        if (!problem) {
            problem = Outside(options.friction->w_R, OptionValue::kEdgeFriction);
        }
        if (!problem && !FrictionLetsLoad(n, *options.friction)) {
            problem =
                OptionProblem{OptionProblem::Kind::kSelfLocking, OptionValue::kSurfaceFriction, n};
        }
    }
    return problem;
}

}  // namespace calc
