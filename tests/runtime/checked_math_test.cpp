#include "runtime/checked_math.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace runtime {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kTiny = std::numeric_limits<double>::denorm_min();

struct StepCase {
    const char* name;
    std::function<void(CheckedMath&)> steps;
    std::optional<Fault> fault;
};

class CheckedSteps : public testing::TestWithParam<StepCase> {};

// The model's own fault cases reach most of these; these are the edges they do not.
TEST_P(CheckedSteps, FaultExactlyWhenAStepWouldNotBeFinite) {
    CheckedMath m;
    GetParam().steps(m);
    EXPECT_EQ(m.fault(), GetParam().fault);
}

constexpr Fault kOverflow{FaultKind::kOverflow, FaultSource::kArithmetic};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, CheckedSteps, testing::Values(
    StepCase{"NegativeByNegativeZero", [](CheckedMath& m) { m.Div(-2, -0.0); },
             Fault{FaultKind::kDivisionByZero, FaultSource::kArithmetic}},
    StepCase{"GuardedZeroByZero", [](CheckedMath& m) { m.GuardedDiv(0, 0); },
             Fault{FaultKind::kOverflow, FaultSource::kFloatingPoint}},
    StepCase{"NotANumberByZero", [](CheckedMath& m) { m.Div(NAN, 0); }, kOverflow},
    StepCase{"BySubnormal", [](CheckedMath& m) { m.Div(1, kTiny); }, kOverflow},
    StepCase{"SumTooLarge", [](CheckedMath& m) { m.Add(kMax, kMax); }, kOverflow},
    StepCase{"LogOfNegativeZero", [](CheckedMath& m) { m.Log(-0.0); },
             Fault{FaultKind::kInvalidArgument, FaultSource::kArithmetic}},
    StepCase{"UnderflowAndInexactAreNotFaults", [](CheckedMath& m) {
                 m.Mul(kTiny, 0.5); m.Div(1e-300, 1e300); m.Div(1, 3); m.Sub(kMax, 1); m.Log(kTiny);
             }, std::nullopt}),
    [](const testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace runtime
