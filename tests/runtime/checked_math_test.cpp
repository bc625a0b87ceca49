#include "runtime/checked_math.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "runtime/fault_report.h"

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

TEST_P(CheckedSteps, FaultExactlyWhenAStepWouldNotBeFinite) {
    CheckedMath m;
    GetParam().steps(m);
    EXPECT_EQ(m.fault(), GetParam().fault);
}

constexpr Fault kByZero{FaultKind::kDivisionByZero, FaultSource::kArithmetic};
constexpr Fault kOverflow{FaultKind::kOverflow, FaultSource::kArithmetic};
constexpr Fault kInvalid{FaultKind::kInvalidArgument, FaultSource::kArithmetic};
constexpr Fault kGuardedByZero{FaultKind::kDivisionByZero, FaultSource::kFloatingPoint};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, CheckedSteps, testing::Values(
    StepCase{"PositiveByZero", [](CheckedMath& m) { m.Div(2, 0); }, kByZero},
    StepCase{"NegativeByNegativeZero", [](CheckedMath& m) { m.Div(-2, -0.0); }, kByZero},
    StepCase{"GuardedByZero", [](CheckedMath& m) { m.GuardedDiv(2, 0); }, kGuardedByZero},
    StepCase{"ZeroByZeroIsOverflow", [](CheckedMath& m) { m.Div(0, 0); }, kOverflow},
    StepCase{"GuardedZeroByZero", [](CheckedMath& m) { m.GuardedDiv(0, 0); },
             Fault{FaultKind::kOverflow, FaultSource::kFloatingPoint}},
    StepCase{"QuotientTooLarge", [](CheckedMath& m) { m.Div(kMax, 0.5); }, kOverflow},
    StepCase{"BySubnormal", [](CheckedMath& m) { m.Div(1, kTiny); }, kOverflow},
    StepCase{"ProductTooLarge", [](CheckedMath& m) { m.Mul(kMax, 2); }, kOverflow},
    StepCase{"SumTooLarge", [](CheckedMath& m) { m.Add(kMax, kMax); }, kOverflow},
    StepCase{"DifferenceTooLarge", [](CheckedMath& m) { m.Sub(-kMax, kMax); }, kOverflow},
    StepCase{"LogOfZero", [](CheckedMath& m) { m.Log(0); }, kInvalid},
    StepCase{"LogOfNegativeZero", [](CheckedMath& m) { m.Log(-0.0); }, kInvalid},
    StepCase{"LogOfNegative", [](CheckedMath& m) { m.Log(-1); }, kInvalid},
    StepCase{"LogOfSubnormal", [](CheckedMath& m) { m.Log(kTiny); }, std::nullopt},
    StepCase{"UnderflowAndInexact", [](CheckedMath& m) { m.Mul(kTiny, 0.5); m.Div(1e-300, 1e300);
                                                        m.Div(1, 3); m.Sub(kMax, 1); },
             std::nullopt},
    StepCase{"FirstFaultIsKept", [](CheckedMath& m) { m.Div(1, 0); m.Log(-1); m.Mul(kMax, kMax); },
             kByZero}),
    [](const testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST(FaultReport, GivesNumberTextAndWhereItStopped) {
    EXPECT_EQ(FaultReport(kGuardedByZero, "K1"),
              "实时错误 '11':\n\n除数为零\n\n在计算 K1 时停止。");
    EXPECT_EQ(FaultReport({FaultKind::kOverflow, FaultSource::kConversion}, "D"),
              "实时错误 '6':\n\n溢出\n\n在读取 D 的数值时停止。");
    EXPECT_EQ(FaultReport(kInvalid, ""), "实时错误 '5':\n\n无效的过程调用或参数");
}

}  // namespace
}  // namespace runtime
