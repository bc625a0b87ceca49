#include "calc/disc_spring.h"
#include "calc/row.h"
#include "calc/spring_pass.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <tuple>

namespace calc {
namespace {

using runtime::FaultKind;
using runtime::FaultSource;

using Values = std::array<double, 5>;
Values Of(const SpringResults& r) {
    return {r.F, r.sigma_om, r.sigma1, r.sigma2, r.sigma3};
}

// Each step evaluated separately in IEEE double arithmetic; the published figures agree to the
// seven digits they give (F ≈ 9822.557, σom ≈ 617.5017, σ1 ≈ −1350.880, …).
TEST(DiscSpring, ResultsToTheLastBit) {
    EXPECT_EQ(Of(*CalculateSpring({100, 51, 3.5, 6.3, 1.4})),
              (Values{0x1.32f474818fe80p+13, 0x1.34c037dc7f341p+9, -0x1.51b84f6b9e12fp+10,
                      0x1.9b5387a1e0b9fp+8, 0x1.76817853c7b19p+9}));
    EXPECT_EQ(Of(*CalculateSpring({100, 51, 3.5, 6.3, 0})), (Values{0, 0, 0, 0, 0}));
    // H < t, f > h0 and D < d are not refused.
    EXPECT_EQ(CalculateSpring({100, 51, 6.3, 3.5, 1.4})->F, 0x1.ee97ed4606d7ap+15);
    for (const SpringInputs in : {SpringInputs{100, 51, 3.5, 6.3, 9.0},
                                  {51, 100, 3.5, 6.3, 1.4},
                                  {-100, -51, 3.5, 6.3, 1.4}}) {
        ASSERT_TRUE(CalculateSpring(in).has_value());
    }
}

// σIV, asked of a row, against values an independent evaluation of the DIN 2092 relation gives
// (A 40 at two deflections; A 125 with contact flats, t′ = 7.5 mm); asking for it changes no other
// number of the row, a stack's, the rate's and friction's included.
TEST(DiscSpring, OuterEdgeStressAddsAColumnAndChangesNothingElse) {
    const std::tuple<RowInputs, bool, double> cases[] = {
        {{{40, 20.4, 2.25, 3.15, 0.675}}, false, -628.6},
        {{{40, 20.4, 2.25, 3.15, 0.9}}, false, -902.7},
        {{{125, 64, 8, 10.6, 1.95}, 7.5}, true, -615.5},
        {{{100, 51, 3.5, 6.3, 0}}, false, 0}};
    for (const auto& [in, flats, sigma4] : cases) {
        RowOptions options;
        options.flats = flats;
        options.rate = true;
        options.stack = StackLayout{2, 3};
        options.friction = Friction{0.01, 0.02};
        const Row without = CalculateRow(in, options);
        options.outer_edge = true;
        Row with = CalculateRow(in, options);
        ASSERT_TRUE(with.results && with.results->sigma4);
        EXPECT_NEAR(*with.results->sigma4, sigma4, 0.05) << in.spring.f;
        EXPECT_EQ(*with.results->sigma4,
                  *detail::CalculateRowStepwise(in, options).results->sigma4);
        with.results->sigma4.reset();
        EXPECT_EQ(Of(with.results->spring), Of(without.results->spring));
        EXPECT_EQ(with.results->rate, without.results->rate);
        EXPECT_EQ(with.results->stack->F_stack, without.results->stack->F_stack);
        EXPECT_EQ(with.results->friction->F_load, without.results->friction->F_load);
    }
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

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr runtime::Fault kOverflow{FaultKind::kOverflow, FaultSource::kArithmetic};
constexpr runtime::Fault kZeroDivisor{FaultKind::kDivisionByZero, FaultSource::kArithmetic};
constexpr runtime::Fault kInvalid{FaultKind::kInvalidArgument, FaultSource::kArithmetic};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, DiscSpringFaults, testing::Values(
    FaultCase{"EqualDiameters", {50, 50, 1, 2, 1},
              {{FaultKind::kDivisionByZero, FaultSource::kFloatingPoint}, Quantity::kK1}},
    FaultCase{"ZeroInnerDiameter", {100, 0, 3.5, 6.3, 1.4}, {kZeroDivisor, Quantity::kDelta}},
    FaultCase{"EmptyBoxes", {0, 0, 0, 0, 0}, {kOverflow, Quantity::kDelta}},
    FaultCase{"ZeroOuterDiameter", {0, 51, 3.5, 6.3, 1.4}, {kInvalid, Quantity::kLnDelta}},
    FaultCase{"OppositeSigns", {-100, 51, 3.5, 6.3, 1.4}, {kInvalid, Quantity::kLnDelta}},
    FaultCase{"ZeroThickness", {100, 51, 0, 6.3, 1.4}, {kOverflow, Quantity::kF}},
    FaultCase{"HeightOverflows", {100, 51, -kMax, kMax, 1}, {kOverflow, Quantity::kh0}},
    FaultCase{"DenominatorOverflows", {1e300, 0.5e300, 3.5, 6.3, 1.4}, {kOverflow, Quantity::kN}},
    FaultCase{"StressOverflows", {100, 51, 1e-100, 1e200, 1e200}, {kOverflow, Quantity::kSigma1}},
    FaultCase{"InfiniteInput", {kInf, 51, 3.5, 6.3, 1.4}, {kOverflow, Quantity::kDelta}}),
    [](const testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace calc
