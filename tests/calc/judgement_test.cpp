// What the program judges: the standard's own springs pass, springs clearly outside do not, a
// spring that would yield says so, and the force search never contradicts itself.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "calc/catalogue.h"
#include "calc/force_deflection.h"
#include "calc/materials.h"
#include "calc/row.h"
#include "calc/spring_pass.h"
#include "calc/tolerances.h"
#include "runtime/number_text.h"

namespace calc {
namespace {

std::string Codes(const Findings& findings) {
    std::string codes;
    for (int i = 0; i < kFindingCount; ++i) {
        codes += findings.has(static_cast<Finding>(i)) ? std::to_string(i) + " " : "";
    }
    return codes;
}

// At any deflection up to 0.75·h0 (the test deflection) no spring of the standard draws a
// finding: not its ratios, not its strength.
TEST(Judgement, TheStandardsOwnSpringsPassUpToTheirTestDeflection) {
    for (const CatalogueSpring& din : Din2093()) {
        RowOptions options;
        options.flats = din.flats;
        options.check = true;
        const double h0 = din.spring.spring.H - din.spring.spring.t;
        for (const double share : {0.0, 0.25, 0.5, 0.75}) {
            RowInputs at = din.spring;
            at.spring.f = runtime::ShownValue(share * h0);
            const Row row = CalculateRow(at, options);
            ASSERT_TRUE(row.results.has_value()) << din.Name();
            EXPECT_EQ(Codes(*row.findings), "") << din.Name() << " at " << share;
        }
    }
}

// A spring 15 % beyond an edge of a band is outside it.
TEST(Judgement, ASpringClearlyOutsideABandIsFound) {
    const std::pair<SpringInputs, Finding> outside[] = {
        {{100, 100 / (1.75 / 1.15), 4, 6.8, 0}, Finding::kDiameterRatio},
        {{100, 100 / (2.5 * 1.15), 4, 6.8, 0}, Finding::kDiameterRatio},
        {{80, 41, 80 / (16 / 1.15), 7, 0}, Finding::kSlenderness},
        {{80, 41, 80 / (40 * 1.15), 3, 0}, Finding::kSlenderness},
        {{80, 41, 4, 4 + 4 * 0.34 / 1.15, 0}, Finding::kHeightRatio},
        {{80, 41, 2, 2 + 2 * 1.34 * 1.15, 0}, Finding::kHeightRatio},
    };
    for (const auto& [spring, finding] : outside) {
        EXPECT_TRUE(CheckDesign(spring).has(finding)) << spring.D << " " << spring.t;
    }
    // With contact flats the ratios take t′ and h0′: the same spring is inside by them.
    const SpringInputs a125{125, 64, 8, 10.6, 0};
    EXPECT_FALSE(CheckDesign(a125, 7.5).has(Finding::kHeightRatio));
    EXPECT_TRUE(CheckDesign({125, 64, 8, 9.75, 0}, 7.5).has(Finding::kHeightRatio));  // 0.3
}

// σom above Rm, as shown, is found; at Rm it is not; an unknown Rm judges nothing.
TEST(Judgement, StrengthIsJudgedAgainstRm) {
    RowOptions options;
    options.check = true;
    const RowInputs overloaded{{40, 20.4, 2.5, 5.7, 2.4}, 0};  // σom 4726 MPa
    EXPECT_TRUE(CalculateRow(overloaded, options).findings->has(Finding::kOverstressed));
    const RowInputs worked{{100, 51, 3.5, 6.3, 1.4}, 0};  // σom 617.501704752074
    const double sigma_om = CalculateSpring(worked.spring)->sigma_om;
    const std::pair<std::optional<double>, bool> limits[] = {
        {runtime::ShownValue(sigma_om), false},  // at Rm as shown: not above it
        {617.501704752073, true},
        {std::nullopt, false},
    };
    for (const auto& [Rm, found] : limits) {
        options.material.Rm = Rm;
        EXPECT_EQ(CalculateRow(worked, options).findings->has(Finding::kOverstressed), found)
            << Rm.value_or(-1);
    }
    // E and μ alone: a named material's Rm, or none.
    EXPECT_EQ(MaterialOf(1.9e5, 0.3).Rm, 1300);
    EXPECT_FALSE(MaterialOf(150000, 0.3).Rm.has_value());
}

// The standard's table at each edge of its thickness bands: t, l0 and the test force each by
// bands of their own; outside 0.2 … 16 mm there is none.
TEST(Judgement, TolerancesFollowTheStandardsBandsToTheirEdges) {
    struct Band {
        double t;
        Tolerance thickness, height, force;
    };
    const Band bands[] = {
        {0.2, {0.02, 0.06}, {0.10, 0.05}, {25, 7.5}},
        {0.6, {0.02, 0.06}, {0.10, 0.05}, {25, 7.5}},
        {0.61, {0.03, 0.09}, {0.10, 0.05}, {25, 7.5}},
        {1.25, {0.04, 0.12}, {0.15, 0.08}, {15, 7.5}},
        {2, {0.04, 0.12}, {0.15, 0.08}, {15, 7.5}},
        {2.01, {0.04, 0.12}, {0.20, 0.10}, {15, 7.5}},
        {3, {0.04, 0.12}, {0.20, 0.10}, {15, 7.5}},
        {3.01, {0.04, 0.12}, {0.30, 0.15}, {10, 5}},
        {3.8, {0.04, 0.12}, {0.30, 0.15}, {10, 5}},
        {3.81, {0.05, 0.15}, {0.30, 0.15}, {10, 5}},
        {6, {0.05, 0.15}, {0.30, 0.15}, {10, 5}},
        {6.01, {0.10, 0.10}, {0.30, 0.30}, {5, 5}},
        {16, {0.10, 0.10}, {0.30, 0.30}, {5, 5}},
    };
    for (const Band& band : bands) {
        const auto found = TolerancesFor(band.t);
        ASSERT_TRUE(found) << band.t;
        EXPECT_EQ(found->thickness, band.thickness) << band.t;
        EXPECT_EQ(found->height, band.height) << band.t;
        EXPECT_EQ(found->force, band.force) << band.t;
    }
    EXPECT_FALSE(TolerancesFor(0.19));
    EXPECT_FALSE(TolerancesFor(16.01));
}

// A stack longer than 3·D, as shown, is told to be guided in sections; at 3·D it is not.
TEST(Judgement, AStackLongerThanThreeDiametersIsFound) {
    RowOptions options;
    options.check = true;
    const RowInputs a22{{22.5, 11.2, 1.25, 1.75, 0}, 0};
    const std::pair<StackLayout, bool> stacks[] = {
        {{27, 2}, true},   // L0 = 27 × 3 = 81 mm against 67.5
        {{27, 1}, false},  // 47.25 mm
        {{45, 1}, true},   // 78.75 mm
        {{1, 100}, true},  // one packet of 100: 125.5 mm
    };
    for (const auto& [stack, long_stack] : stacks) {
        options.stack = stack;
        EXPECT_EQ(CheckRow(a22, options).has(Finding::kLongStack), long_stack) << stack.series;
    }
    options.stack = StackLayout{20, 1};  // L0 = 20 × 3 = 60 = 3·D exactly
    EXPECT_FALSE(CheckRow({{20, 10.2, 1, 3, 0}, 0}, options).has(Finding::kLongStack));
    options.stack.reset();
    EXPECT_FALSE(CheckRow({{10, 5.1, 1, 40, 0}, 0}, options).has(Finding::kLongStack));
}

// A force that shows as the most before flat is reached, however the most was rounded.
TEST(Judgement, TheMostAForceSearchNamesIsReached) {
    const RowInputs spring{{40, 20.4, 1.5, 2.65, 0}, 0};
    const auto most = DeflectionForForce(spring, {}, 1e9);
    ASSERT_FALSE(most.has_value());
    const double limit = std::get<Refusal>(most.error()).limit;
    const double shown = runtime::ShownValue(limit);
    for (const double force : {limit, shown, std::nextafter(shown, 1e9)}) {
        EXPECT_TRUE(DeflectionForForce(spring, {}, force).has_value()) << force;
    }
    const auto beyond = DeflectionForForce(spring, {}, runtime::ShownValue(limit * (1 + 1e-14)));
    EXPECT_FALSE(beyond.has_value());
}

// On a falling characteristic (h0/t = 1.8) the most a spring carries before flat is its peak,
// where the rate comes down to 0, not some point on the way up: a soft spring, whose rate
// changes slowly there, would show the difference.
TEST(Judgement, TheMostOfAFallingCharacteristicIsItsPeak) {
    const RowInputs spring{{8, 4.2, 0.2, 0.56, 0}, 0};
    const auto force = [&spring](double f) {
        RowInputs at = spring;
        at.spring.f = f;
        return CalculateRow(at, {}).results->spring.F;
    };
    double low = 0, high = 0.36;
    for (int i = 0; i < 200; ++i) {  // the peak, by thirds: the force rises, then falls
        const double a = low + (high - low) / 3, b = high - (high - low) / 3;
        (force(a) < force(b) ? low : high) = force(a) < force(b) ? a : b;
    }
    const double peak = force((low + high) / 2);
    ASSERT_LT(force(0.36), peak * 0.99);  // it does fall before flat
    const auto most = DeflectionForForce(spring, {}, 1e9);
    ASSERT_FALSE(most.has_value());
    EXPECT_NEAR(std::get<Refusal>(most.error()).limit, peak, peak * 1e-10);
}

}  // namespace
}  // namespace calc
