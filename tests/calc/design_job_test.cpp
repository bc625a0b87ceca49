// The design job beyond one spring at one deflection: other materials, contact flats, the rate,
// friction in stacks, and the deflection for a force.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "calc/contact_flats.h"
#include "calc/force_deflection.h"
#include "calc/friction.h"
#include "calc/row.h"
#include "calc/spring_pass.h"
#include "calc/spring_rate.h"
#include "calc/work.h"
#include "runtime/number_text.h"

namespace calc {
namespace {

constexpr SpringInputs kWorked{100, 51, 3.5, 6.3, 1.4};
constexpr SpringInputs kFalling{100, 51, 2, 5.2, 0};  // h0/t = 1.6: a falling branch
// DIN 2093 A 125, group 3: t = 8, t′ = 7.5, l0 = 10.6, at its test deflection 0.75·h0.
constexpr SpringInputs kGroup3{125, 64, 8, 10.6, 1.95};

template <typename Edit>
RowOptions RowOptionsWith(const Edit& edit) {
    RowOptions row_options;
    edit(row_options);
    return row_options;
}

bool Agree(double a, double b, double digits = 12) {
    return std::fabs(a - b) <= std::pow(10.0, -digits) * std::fabs(b);
}

TEST(Material, SpringSteelGivenIsTheDefaultToTheBitAndAnotherScalesTheForce) {
    const auto plain = CalculateSpring(kWorked);
    const auto given = CalculateSpring(kWorked, Material{206000, 0.3});
    EXPECT_EQ(std::memcmp(&*plain, &*given, sizeof *plain), 0);
    // F and the stresses go as E ÷ (1 − μ²).
    const auto other = CalculateSpring(kWorked, Material{103000, 0.3});
    EXPECT_TRUE(Agree(other->F * 2, plain->F));
    EXPECT_TRUE(Agree(other->sigma3 * 2, plain->sigma3));
}

TEST(ContactFlats, WithoutReductionTheyAreThePlainSpring) {
    for (const SpringInputs& in :
         {kWorked, kGroup3, SpringInputs{kFalling.D, kFalling.d, 2, 5.2, 2}}) {
        const SpringResults plain = *CalculateSpring(in);
        const SpringResults flats = *CalculateFlattedSpring(in, in.t, Material{});
        EXPECT_TRUE(Agree(flats.F, plain.F) && Agree(flats.sigma_om, plain.sigma_om) &&
                    Agree(flats.sigma1, plain.sigma1) && Agree(flats.sigma2, plain.sigma2) &&
                    Agree(flats.sigma3, plain.sigma3))
            << in.D;
    }
}

// DIN keeps a group-3 spring's force at its test deflection that of the same spring without
// flats, whatever t′: the relations for C1 (both brackets), C2 and K4 are built for it.
TEST(ContactFlats, TestForceDoesNotDependOnTheReducedThickness) {
    const double plain = CalculateSpring(kGroup3)->F;
    for (const double factor : {0.9, 0.94, 0.96, 0.99}) {
        const double flats = CalculateFlattedSpring(kGroup3, factor * kGroup3.t, Material{})->F;
        EXPECT_TRUE(Agree(flats, plain)) << factor;
        // Away from the test deflection it does.
        SpringInputs loaded = kGroup3;
        loaded.f = 0.5;
        EXPECT_FALSE(Agree(CalculateFlattedSpring(loaded, factor * kGroup3.t, Material{})->F,
                           CalculateSpring(loaded)->F, 6));
    }
}

TEST(ContactFlats, AReducedThicknessOutsideZeroToTIsRefused) {
    for (const double t_reduced : {0.0, -1.0, 8.01}) {
        const Row row = CalculateRow({kGroup3, t_reduced}, RowOptionsWith([](RowOptions& s) {
                                         s.flats = true;
                                         s.check = true;
                                     }));
        ASSERT_FALSE(row.results.has_value());
        EXPECT_EQ(std::get<Refusal>(row.results.error()),
                  (Refusal{Refusal::Kind::kReducedThickness, t_reduced, 8}));
        EXPECT_FALSE(row.findings->has(Finding::kThick));  // made with flats because thick
    }
}

// The rate is the force's derivative: a central difference agrees to its own accuracy, with
// and without flats, and it changes sign at the peak of a falling branch.
TEST(SpringRate, IsTheSlopeOfTheForce) {
    for (const auto& spring : {std::pair{kWorked, std::optional<double>{}},
                               {kGroup3, std::optional<double>{7.5}},
                               {SpringInputs{100, 51, 2, 5.2, 1}, std::optional<double>{}}}) {
        const SpringInputs in = spring.first;
        const std::optional<double> t_reduced = spring.second;
        const auto force = [&](double f) {
            SpringInputs at = in;
            at.f = f;
            return t_reduced ? CalculateFlattedSpring(at, *t_reduced, Material{})->F
                             : CalculateSpring(at)->F;
        };
        const double h = 1e-5;
        const double slope = (force(in.f + h) - force(in.f - h)) / (2 * h);
        EXPECT_TRUE(Agree(*SpringRate(in, Material{}, t_reduced), slope, 6)) << in.D;
    }
    SpringInputs rising = kFalling, falling = kFalling;
    rising.f = 2.3;
    falling.f = 2.4;
    EXPECT_GT(*SpringRate(rising, Material{}), 0);
    EXPECT_LT(*SpringRate(falling, Material{}), 0);
}

// The work is the force's integral: Simpson's rule over fine steps agrees, with and without
// flats, and a stack takes up n·i times as much.
TEST(SpringWork, IsTheAreaUnderTheForce) {
    for (const double t_reduced : {0.0, 7.5}) {
        const RowOptions row_options =
            RowOptionsWith([&](RowOptions& s) { s.flats = t_reduced > 0; });
        const RowInputs in{kGroup3, t_reduced};
        const auto force = [&](double f) {
            RowInputs at = in;
            at.spring.f = f;
            return CalculateRow(at, row_options).results->spring.F;
        };
        const int steps = 2000;
        const double h = kGroup3.f / steps;
        double area = force(0) + force(kGroup3.f);
        for (int k = 1; k < steps; ++k) {
            area += (k % 2 == 1 ? 4 : 2) * force(k * h);
        }
        EXPECT_TRUE(Agree(*SpringWork(in, row_options), area * h / 3, 10)) << t_reduced;
    }
    const RowOptions stack = RowOptionsWith([](RowOptions& s) { s.stack = StackLayout{3, 2}; });
    EXPECT_TRUE(Agree(*SpringWork({kWorked, 0}, stack), 6 * *SpringWork({kWorked, 0}, {})));
}

TEST(Friction, LoadingAndUnloadingInTheirOrderOfSteps) {
    // One spring: only the edges rub.
    const auto one = CalculateFriction(1000, 1, Friction{0.03, 0.05});
    EXPECT_EQ(one->F_load, 1000 / ((1 - 0.03 * 0) - 0.05));
    EXPECT_EQ(one->F_unload, 1000 / ((1 + 0.03 * 0) + 0.05));
    const auto three = CalculateFriction(3000, 3, Friction{0.02, 0.03});
    EXPECT_EQ(three->F_load, 3000 / ((1 - 0.02 * 2) - 0.03));
    EXPECT_EQ(three->F_unload, 3000 / ((1 + 0.02 * 2) + 0.03));
    // Beyond 1 − w_M·(n − 1) − w_R = 0 the stack locks itself.
    EXPECT_TRUE(FrictionLetsLoad(5, Friction{0.2, 0.19}));
    EXPECT_FALSE(FrictionLetsLoad(5, Friction{0.2, 0.2}));
    // Without a stack a row's friction is one spring's: only the edge's w_R counts.
    for (const auto& [friction, beyond] :
         {std::pair{Friction{0.2, 0.04}, false}, std::pair{Friction{0, 0.02}, false},
          std::pair{Friction{0, 0.05}, true}}) {
        RowOptions options;
        options.friction = friction;
        options.check = true;
        const Row row = CalculateRow({kWorked, 0}, options);
        EXPECT_EQ(row.findings->has(Finding::kFrictionBeyondTypical), beyond) << friction.w_R;
    }
}

TEST(Row, ColumnsComeFromTheirOwnCalculations) {
    const RowOptions row_options = RowOptionsWith([](RowOptions& s) {
        s.rate = true;
        s.stack = StackLayout{2, 3};
        s.friction = Friction{0.02, 0.03};
        s.check = true;
    });
    const Row row = CalculateRow({kWorked, 0}, row_options);
    ASSERT_TRUE(row.results.has_value());
    EXPECT_EQ(row.results->spring.F, CalculateSpring(kWorked)->F);
    EXPECT_EQ(*row.results->rate, *SpringRate(kWorked, Material{}));
    EXPECT_EQ(row.results->stack->F_stack, 3 * CalculateSpring(kWorked)->F);
    EXPECT_EQ(row.results->friction->F_load, row.results->stack->F_stack / ((1 - 0.02 * 2) - 0.03));
    // The free length of a stack of flatted springs nests by t′.
    const Row flats = CalculateRow({kGroup3, 7.5}, RowOptionsWith([](RowOptions& s) {
                                       s.flats = true;
                                       s.stack = StackLayout{1, 3};
                                   }));
    EXPECT_EQ(flats.results->stack->L, (10.6 + 2 * 7.5) - 1.95);
}

struct ForceCase {
    const char* name;
    SpringInputs spring;
    double force;
    double f;  ///< the deflection expected, or NaN for a refusal
    Refusal::Kind refused = Refusal::Kind::kNegativeForce;
};

class DeflectionForForce : public testing::TestWithParam<ForceCase> {};

// The deflection found is a shown number whose force is nearest the target among its
// neighbours; a force out of reach is refused with the most the spring gives.
TEST_P(DeflectionForForce, IsTheNearestShownNumberOnTheFirstRise) {
    const ForceCase& c = GetParam();
    const auto f = calc::DeflectionForForce({c.spring, 0}, RowOptions{}, c.force);
    if (std::isnan(c.f)) {
        ASSERT_FALSE(f.has_value());
        EXPECT_EQ(std::get<Refusal>(f.error()).kind, c.refused);
        return;
    }
    ASSERT_TRUE(f.has_value());
    EXPECT_TRUE(Agree(*f, c.f, 6)) << *f;
    EXPECT_EQ(runtime::ShownValue(*f), *f);
    const auto gap = [&](double at) {
        SpringInputs in = c.spring;
        in.f = at;
        return std::fabs(CalculateSpring(in)->F - c.force);
    };
    const double step = std::pow(10.0, std::floor(std::log10(*f)) - 14);
    EXPECT_LE(gap(*f), gap(runtime::ShownValue(*f + step)));
    EXPECT_LE(gap(*f), gap(runtime::ShownValue(*f - step)));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, DeflectionForForce, testing::Values(
    ForceCase{"WorkedExample", kWorked, 9822.55688774516, 1.4},
    ForceCase{"Nothing", kWorked, 0, 0},
    ForceCase{"AtFlat", kWorked, 15842.8336899115, 2.8},
    ForceCase{"BeyondFlat", kWorked, 15842.84, NAN, Refusal::Kind::kBeyondReach},
    ForceCase{"Negative", kWorked, -1, NAN, Refusal::Kind::kNegativeForce},
    ForceCase{"NoCone", SpringInputs{100, 51, 3.5, 3, 0}, 100, NAN, Refusal::Kind::kNoConeHeight},
    // Between the force at flat and the peak there are two crossings: the first counts.
    ForceCase{"FallingBranchFirstCrossing", kFalling, 3400, 1.74130995687826},
    // 3.27405005603408 misses by 4.9e-11 N, 3.27405005603409 by 4.5e-11 N.
    ForceCase{"NearestOfTwoClose", SpringInputs{144.5, 68.3, 5.715, 10.622, 0}, 43105.9,
              3.27405005603409},
    ForceCase{"BeyondThePeak", kFalling, 3549, NAN, Refusal::Kind::kBeyondReach}),
    [](const testing::TestParamInfo<ForceCase>& info) { return std::string(info.param.name); });
// clang-format on

// With contact flats the search runs on the flatted spring's force, and t′ is checked first.
TEST(DeflectionForForce, ContactFlats) {
    const RowOptions flats = RowOptionsWith([](RowOptions& s) { s.flats = true; });
    const double force = CalculateFlattedSpring(kGroup3, 7.5, Material{})->F;
    EXPECT_EQ(*calc::DeflectionForForce({kGroup3, 7.5}, flats, force), kGroup3.f);
    const auto thicker = calc::DeflectionForForce({kGroup3, 8.5}, flats, force);
    EXPECT_EQ(std::get<Refusal>(thicker.error()).kind, Refusal::Kind::kReducedThickness);
}

TEST(DeflectionForForce, AStackIsLoadedWithItsOwnForce) {
    const RowOptions stack = RowOptionsWith([](RowOptions& s) { s.stack = StackLayout{3, 2}; });
    const auto f = calc::DeflectionForForce({kWorked, 0}, stack, 2 * 9822.55688774516);
    EXPECT_EQ(*f, 1.4);
    const auto most = calc::DeflectionForForce({kWorked, 0}, stack, 40000);
    EXPECT_EQ(std::get<Refusal>(most.error()).limit,
              2 * CalculateSpring({100, 51, 3.5, 6.3, 2.8})->F);
}

// Which quantity each fault beyond the plain spring names.
TEST(DesignJob, EachFaultNamesItsQuantity) {
    struct Case {
        const char* what;
        RowInputs in;
        RowOptions options;
        Quantity quantity;
    };
    const RowOptions flats = RowOptionsWith([](RowOptions& s) { s.flats = true; });
    const RowOptions rate = RowOptionsWith([](RowOptions& s) { s.rate = true; });
    const RowOptions wide = RowOptionsWith([](RowOptions& s) { s.stack = StackLayout{1, 100000}; });
    const RowOptions locked = RowOptionsWith([](RowOptions& s) {
        s.stack = StackLayout{1, 5};
        s.friction = Friction{0.25, 0};  // 1 − 0.25·4 is 0 exactly
    });
    const Case cases[] = {
        {"flats without cone height", {{100, 51, 8, 8, 1}, 8}, flats, Quantity::kK4},
        {"rate", {{100, 51, 6.02593e46, 8.76733e146, 6.6924e-39}, 0}, rate, Quantity::kRate},
        {"stack force",
         {{100, 51, 6.56867e48, 2.05218e57, 8.07367e84}, 0},
         wide,
         Quantity::kFStack},
        {"friction that locks", {kWorked, 0}, locked, Quantity::kFLoad},
    };
    for (const Case& c : cases) {
        const Row row = CalculateRow(c.in, c.options);
        ASSERT_FALSE(row.results.has_value()) << c.what;
        EXPECT_EQ(std::get<SpringFault>(row.results.error()).quantity, c.quantity) << c.what;
    }
    const auto work = SpringWork({{100, 51, 0.0209889, 4.06326e68, 1.55249e84}, 0}, {});
    ASSERT_FALSE(work.has_value());
    EXPECT_EQ(work.error().quantity, Quantity::kWork);
}

}  // namespace
}  // namespace calc
