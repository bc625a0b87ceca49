#include "runtime/checked_math.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>

namespace runtime {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kTiny = std::numeric_limits<double>::denorm_min();

struct DivisionCase {
    const char* name;
    double a, b;
    FaultKind kind;
    int raised_flag;  // what the FPU itself says of the same division
};

class CheckedDivision : public testing::TestWithParam<DivisionCase> {};

TEST_P(CheckedDivision, FaultsWithTheKindTheFloatingPointStatusShows) {
    const DivisionCase& c = GetParam();
    for (const bool guarded : {false, true}) {
        CheckedMath m;
        guarded ? m.GuardedDiv(c.a, c.b) : m.Div(c.a, c.b);
        ASSERT_TRUE(m.fault().has_value());
        EXPECT_EQ(m.fault()->kind, c.kind);
        EXPECT_EQ(m.fault()->source,
                  guarded ? FaultSource::kFloatingPoint : FaultSource::kArithmetic);
    }

    volatile double a = c.a, b = c.b;
    std::feclearexcept(FE_ALL_EXCEPT);
    volatile double r = a / b;
    (void)r;
    EXPECT_TRUE(std::fetestexcept(c.raised_flag));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, CheckedDivision, testing::Values(
    DivisionCase{"PositiveByZero", 2, 0, FaultKind::kDivisionByZero, FE_DIVBYZERO},
    DivisionCase{"NegativeByNegativeZero", -2, -0.0, FaultKind::kDivisionByZero, FE_DIVBYZERO},
    DivisionCase{"ZeroByZeroIsOverflow", 0, 0, FaultKind::kOverflow, FE_INVALID},
    DivisionCase{"TooLarge", kMax, 0.5, FaultKind::kOverflow, FE_OVERFLOW},
    DivisionCase{"BySubnormal", 1, kTiny, FaultKind::kOverflow, FE_OVERFLOW}),
    [](const testing::TestParamInfo<DivisionCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST(CheckedMath, OverflowingProductsAndSumsFault) {
    CheckedMath mul, add, sub;
    mul.Mul(kMax, 2);
    add.Add(kMax, kMax);
    sub.Sub(-kMax, kMax);
    for (const CheckedMath* m : {&mul, &add, &sub}) {
        ASSERT_TRUE(m->fault().has_value());
        EXPECT_EQ(*m->fault(), (Fault{FaultKind::kOverflow, FaultSource::kArithmetic}));
    }
}

TEST(CheckedMath, LogarithmOfANonPositiveValueIsAnInvalidArgument) {
    for (const double x : {0.0, -0.0, -1.0, -kMax}) {
        CheckedMath m;
        m.Log(x);
        ASSERT_TRUE(m.fault().has_value()) << x;
        EXPECT_EQ(m.fault()->kind, FaultKind::kInvalidArgument);
    }
    CheckedMath ok;
    EXPECT_EQ(ok.Log(1), 0.0);
    EXPECT_TRUE(std::isfinite(ok.Log(kTiny)));
    EXPECT_FALSE(ok.fault().has_value());
}

TEST(CheckedMath, UnderflowAndInexactResultsAreNotFaults) {
    CheckedMath m;
    EXPECT_EQ(m.Mul(kTiny, 0.5), 0.0);
    EXPECT_EQ(m.Div(1e-300, 1e300), 0.0);
    EXPECT_EQ(m.Div(1, 3), 1.0 / 3);
    EXPECT_FALSE(m.fault().has_value());
}

TEST(CheckedMath, TheFirstFaultIsKept) {
    CheckedMath m;
    m.Div(1, 0);
    m.Log(-1);
    m.Mul(kMax, kMax);
    ASSERT_TRUE(m.fault().has_value());
    EXPECT_EQ(m.fault()->kind, FaultKind::kDivisionByZero);
}

}  // namespace
}  // namespace runtime
