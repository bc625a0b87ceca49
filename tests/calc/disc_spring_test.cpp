#include "calc/disc_spring.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "calc/disc_spring_steps.h"
#include "runtime/checked_math.h"

namespace calc {
namespace {

using runtime::FaultKind;
using runtime::FaultSource;

constexpr SpringInputs kWorkedExample{100, 51, 3.5, 6.3, 1.4};

// Each step evaluated separately in IEEE double arithmetic; the published figures agree to the
// seven digits they give (F ≈ 9822.557, σom ≈ 617.5017, σ1 ≈ −1350.880, …).
TEST(DiscSpring, WorkedExampleToTheLastBit) {
    const auto r = CalculateSpring(kWorkedExample);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->F, 0x1.32f474818fe80p+13);
    EXPECT_EQ(r->sigma_om, 0x1.34c037dc7f341p+9);
    EXPECT_EQ(r->sigma1, -0x1.51b84f6b9e12fp+10);
    EXPECT_EQ(r->sigma2, 0x1.9b5387a1e0b9fp+8);
    EXPECT_EQ(r->sigma3, 0x1.76817853c7b19p+9);
}

TEST(DiscSpring, NoDeflectionGivesNoForceAndNoStress) {
    SpringInputs in = kWorkedExample;
    in.f = 0;
    const auto r = CalculateSpring(in);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ((std::array{r->F, r->sigma_om, r->sigma1, r->sigma2, r->sigma3}),
              (std::array{0.0, 0.0, 0.0, 0.0, 0.0}));
}

TEST(DiscSpring, PhysicallyMeaninglessInputsStillGiveFiniteNumbers) {
    for (const SpringInputs in : {SpringInputs{100, 51, 6.3, 3.5, 1.4},  // H < t
                                  SpringInputs{100, 51, 3.5, 6.3, 9.0},  // f > h0
                                  SpringInputs{51, 100, 3.5, 6.3, 1.4},  // D < d
                                  SpringInputs{-100, -51, 3.5, 6.3, 1.4}}) {
        const auto r = CalculateSpring(in);
        ASSERT_TRUE(r.has_value());
        for (const double v : {r->F, r->sigma_om, r->sigma1, r->sigma2, r->sigma3}) {
            EXPECT_TRUE(std::isfinite(v));
        }
    }
    EXPECT_EQ(CalculateSpring({100, 51, 6.3, 3.5, 1.4})->F, 0x1.ee97ed4606d7ap+15);
}

struct FaultCase {
    const char* name;
    SpringInputs in;
    SpringFault fault;
};

class DiscSpringFaults : public testing::TestWithParam<FaultCase> {};

TEST_P(DiscSpringFaults, StopAtTheFirstFaultingStep) {
    const auto r = CalculateSpring(GetParam().in);
    ASSERT_FALSE(r.has_value());
    EXPECT_EQ(r.error(), GetParam().fault);
}

constexpr double kHuge = 1e300;
constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, DiscSpringFaults, testing::Values(
    FaultCase{"EqualDiameters", {50, 50, 1, 2, 1},
              {{FaultKind::kDivisionByZero, FaultSource::kFloatingPoint}, Quantity::kK1}},
    FaultCase{"ZeroInnerDiameter", {100, 0, 3.5, 6.3, 1.4},
              {{FaultKind::kDivisionByZero, FaultSource::kArithmetic}, Quantity::kDelta}},
    FaultCase{"EmptyBoxes", {0, 0, 0, 0, 0},
              {{FaultKind::kOverflow, FaultSource::kArithmetic}, Quantity::kDelta}},
    FaultCase{"ZeroOuterDiameter", {0, 51, 3.5, 6.3, 1.4},
              {{FaultKind::kInvalidArgument, FaultSource::kArithmetic}, Quantity::kLnDelta}},
    FaultCase{"OppositeSigns", {-100, 51, 3.5, 6.3, 1.4},
              {{FaultKind::kInvalidArgument, FaultSource::kArithmetic}, Quantity::kLnDelta}},
    FaultCase{"ZeroThickness", {100, 51, 0, 6.3, 1.4},
              {{FaultKind::kOverflow, FaultSource::kArithmetic}, Quantity::kF}},
    FaultCase{"HeightOverflows", {100, 51, -kMax, kMax, 1},
              {{FaultKind::kOverflow, FaultSource::kArithmetic}, Quantity::kh0}},
    FaultCase{"RatioOverflows", {kHuge, 1e-300, 3.5, 6.3, 1.4},
              {{FaultKind::kOverflow, FaultSource::kArithmetic}, Quantity::kDelta}},
    FaultCase{"DenominatorOverflows", {kHuge, 0.5e300, 3.5, 6.3, 1.4},
              {{FaultKind::kOverflow, FaultSource::kArithmetic}, Quantity::kN}},
    FaultCase{"ForceOverflows", {100, 51, 1e80, 2e80, 1e80},
              {{FaultKind::kOverflow, FaultSource::kArithmetic}, Quantity::kF}},
    FaultCase{"InfiniteInput", {kInf, 51, 3.5, 6.3, 1.4},
              {{FaultKind::kOverflow, FaultSource::kArithmetic}, Quantity::kDelta}}),
    [](const testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });
// clang-format on

// Whatever the inputs, the fast path gives exactly what checking every step one by one gives:
// the same five finite results to the bit, or the same first fault.
TEST(DiscSpring, FastPathAgreesWithStepByStepChecking) {
    constexpr double kSpecial[] = {0.0,   -0.0,   1.0,   -1.0,
                                   kInf,  -kInf,  NAN,   kMax,
                                   -kMax, 1e-300, 1e300, std::numeric_limits<double>::denorm_min()};
    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::uint64_t> bits;
    std::uniform_int_distribution<int> exponent(-320, 308);
    auto draw = [&]() -> double {
        switch (random() % 5) {
            case 0:
                return std::bit_cast<double>(bits(random));  // anything, NaN included
            case 1:
                return kSpecial[random() % std::size(kSpecial)];
            case 2:
                return static_cast<double>(random() % 5);
            case 3:
                return std::ldexp(1.0, exponent(random) % 60) * (random() % 2 ? 1 : -1);
            default:
                return std::pow(10.0, exponent(random));
        }
    };
    auto same = [](double a, double b) {
        return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
    };
    for (int n = 0; n < 300000; ++n) {
        const SpringInputs in{draw(), draw(), draw(), draw(), draw()};
        const auto fast = CalculateSpring(in);
        runtime::CheckedMath m;
        const auto stepwise = detail::EvaluateSpring(m, in);
        ASSERT_EQ(fast.has_value(), stepwise.has_value())
            << in.D << " " << in.d << " " << in.t << " " << in.H << " " << in.f;
        if (!fast.has_value()) {
            ASSERT_EQ(fast.error(), stepwise.error());
            continue;
        }
        const SpringResults &a = *fast, &b = *stepwise;
        for (const double v : {a.F, a.sigma_om, a.sigma1, a.sigma2, a.sigma3}) {
            ASSERT_TRUE(std::isfinite(v));
        }
        ASSERT_TRUE(same(a.F, b.F) && same(a.sigma_om, b.sigma_om) && same(a.sigma1, b.sigma1) &&
                    same(a.sigma2, b.sigma2) && same(a.sigma3, b.sigma3));
    }
}

}  // namespace
}  // namespace calc
