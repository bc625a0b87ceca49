// Selection: the catalogue as built in, its published forces, a spring's own test point found
// first, special springs made as a maker makes them, and why nothing fits when nothing does.

#include "calc/selection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "calc/force_deflection.h"
#include "rows/selection_text.h"

namespace calc {
namespace {

double Force(const RowInputs& spring, bool flats, double f) {
    RowInputs at = spring;
    at.spring.f = f;
    RowOptions options;
    options.flats = flats;
    return CalculateRow(at, options).results->spring.F;
}

// Every row of the file reads, and its published force is reproduced from its dimensions
// within what its sources allow: 0.3 % from a metric free height, 2.6 % from one converted
// from inches (good to ±0.0127 mm) and forces printed in whole pounds.
TEST(Catalogue, PublishedForcesFollowFromTheDimensions) {
    const std::vector<CatalogueSpring>& springs = Din2093();
    ASSERT_EQ(springs.size(), 64u);
    int with_force = 0;
    for (const CatalogueSpring& spring : springs) {
        const SpringInputs& s = spring.spring.spring;
        EXPECT_EQ(spring.group, s.t < 1.25 ? 1 : s.t <= 6 ? 2 : 3) << spring.Name();
        EXPECT_EQ(spring.flats, spring.group == 3) << spring.Name();
        if (spring.l0_inch) {
            EXPECT_LE(std::abs(*spring.l0_inch - s.H), 0.0250001) << spring.Name();
            EXPECT_NEAR(s.H * 20, std::round(s.H * 20), 1e-9) << spring.Name();
        }
        if (!spring.F_075) {
            continue;
        }
        ++with_force;
        // The test force of a spring with flats is that of the same spring without them.
        const double F = Force({s, 0}, false, 0.75 * (s.H - s.t));
        const double allowed = spring.l0_inch ? 0.026 : 0.003;
        EXPECT_LE(std::abs(F - *spring.F_075) / *spring.F_075, allowed)
            << spring.Name() << ": " << F << " against " << *spring.F_075;
    }
    EXPECT_GE(with_force, 60);
}

TEST(Catalogue, AFileItCannotUseIsRefusedByLine) {
    const std::string header =
        "series\tgroup\tDe\tDi\tt\tt_reduced\tl0\tl0_inch\tF_075\tsources\tsureness\n";
    const std::pair<std::string, std::string> cases[] = {
        {"# nothing\n", "没有表头"},
        {"series\tDe\n", "表头缺少列 group"},
        {header +
             "A\t2\t40\t20.4\t2.25\t\t3.15\t\t6500\tX\tsure\nA\t2\t40\t20.4\t-1\t\t3\t\t\tX\t\n",
         "第 3 行：t 应为正数"},
        {header + "A\t4\t40\t20.4\t2.25\t\t3.15\t\t\tX\t\n", "第 2 行：系列或组别不对"},
        {header + "A\t2\t40\t20.4\t2.25\tx\t3.15\t\t\tX\t\n", "t_reduced 应为正数或空白"},
        {header + "A\t2\t40\t20.4\t2.25\t\t3.15\t\t6500 N\tX\t\n", "F_075 应为正数或空白"},
    };
    for (const auto& [text, why] : cases) {
        const auto read = ReadCatalogue(text);
        ASSERT_FALSE(read.has_value()) << text;
        EXPECT_NE(read.error().find(why), std::string::npos) << read.error();
    }
    const auto read = ReadCatalogue(header + "C\t1\t8\t4.2\t0.2\t\t0.45\t0.4572\t40\tSCH\tone\r\n");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ((*read)[0].Name(), "C 8");
    EXPECT_EQ(*(*read)[0].l0_inch, 0.4572);
}

TEST(Selection, ClearanceFollowsTheMakersTable) {
    const std::pair<double, double> cases[] = {
        {3, 0.2},  {16, 0.2}, {16.01, 0.3}, {20, 0.3},  {26, 0.4},    {31.5, 0.5}, {31.6, 0.6},
        {50, 0.6}, {80, 0.8}, {80.1, 1.0},  {140, 1.0}, {140.1, 1.6}, {250, 1.6},  {400, 1.6}};
    for (const auto& [diameter, clearance] : cases) {
        EXPECT_EQ(GuideClearance(diameter), clearance) << diameter;
    }
}

Requirement TestPointOf(const CatalogueSpring& spring) {
    const SpringInputs& s = spring.spring.spring;
    Requirement r;
    r.bore = s.D;
    r.rod = s.d;
    r.clearance = 0;
    r.points = {
        {false, 0.75 * (s.H - s.t), Force(spring.spring, spring.flats, 0.75 * (s.H - s.t)), 0.05}};
    return r;
}

// A catalogue spring's own test point, in its own space, finds it first.
TEST(Selection, ASpringsOwnTestPointFindsItFirst) {
    const std::vector<CatalogueSpring>& springs = Din2093();
    for (std::size_t index = 0; index < springs.size(); ++index) {
        const Selection found = Select(TestPointOf(springs[index]), springs);
        ASSERT_FALSE(found.catalogue.empty()) << springs[index].Name();
        EXPECT_EQ(*found.catalogue.front().catalogue, index) << springs[index].Name();
        EXPECT_EQ(found.catalogue.front().Springs(), 1);
    }
}

// Every candidate, of the catalogue or special, meets what was asked, as its rows say; the
// special ones are made as a maker makes them and lie inside the design ranges.
TEST(Selection, CandidatesMeetTheRequirementAndSpecialOnesCanBeMade) {
    std::mt19937 random(2093);
    std::uniform_real_distribution<double> unit(0, 1);
    int candidates = 0, special = 0;
    for (int trial = 0; trial < 40; ++trial) {
        Requirement r;
        r.bore = 20 + 100 * unit(random);
        r.rod = r.bore * (0.3 + 0.2 * unit(random));
        const double s = r.bore * (0.005 + 0.03 * unit(random));
        const double F = r.bore * r.bore * (0.5 + 4 * unit(random));
        r.points = {{unit(random) < 0.3, s, F, 0.05}};
        if (trial % 3 == 0) {
            r.points.push_back({false, s * 0.4, F * 0.5, 0.1});
            r.dynamic = trial % 2 == 0;
        }
        if (trial % 4 == 1) {
            r.max_length = 10 * s;
        }
        ASSERT_FALSE(CheckRequirement(r));
        const Selection found = Select(r, Din2093());
        ASSERT_LE(found.special.size(), 3u);
        EXPECT_EQ(found.shortfall.has_value(), found.catalogue.empty() && found.special.empty());
        for (const auto* group : {&found.catalogue, &found.special}) {
            for (std::size_t k = 0; k < group->size(); ++k) {
                const Candidate& c = (*group)[k];
                ++candidates;
                const SpringInputs& spring = c.spring.spring;
                EXPECT_LE(spring.D, r.bore - GuideClearance(r.bore) + 1e-9);
                EXPECT_GE(spring.d, r.rod + GuideClearance(r.rod) - 1e-9);
                EXPECT_LE(c.stack.series, r.max_series);
                EXPECT_LE(c.stack.parallel, r.max_parallel);
                for (std::size_t p = 0; p < r.points.size(); ++p) {
                    const StackResults& at = *c.points[p].row.results->stack;
                    const double reached = r.points[p].force_given ? at.s : at.F_stack;
                    const double wanted = r.points[p].force_given ? r.points[p].s : r.points[p].F;
                    EXPECT_LE(std::abs(reached - wanted),
                              wanted * r.points[p].tolerance * 1.000001);
                    EXPECT_LE(
                        c.points[p].f,
                        0.75 * (spring.H - (c.flats ? c.spring.t_reduced : spring.t)) * 1.000001);
                }
                EXPECT_LE(c.utilisation, 1 + 1e-12);
                if (r.max_length) {
                    EXPECT_LE(
                        c.points[r.points.size() == 2 ? 1 - c.upper : 0].row.results->stack->L,
                        *r.max_length * 1.000001);
                }
                if (k > 0) {
                    EXPECT_LE((*group)[k - 1].Springs(), c.Springs());
                }
                if (c.catalogue) {
                    continue;
                }
                ++special;
                EXPECT_NEAR(spring.D * 10, std::round(spring.D * 10), 1e-9);
                EXPECT_NEAR(spring.d * 10, std::round(spring.d * 10), 1e-9);
                EXPECT_NEAR(spring.H * 20, std::round(spring.H * 20), 1e-9);
                EXPECT_NE(std::find(kStripThicknesses.begin(), kStripThicknesses.end(), spring.t),
                          kStripThicknesses.end());
                const Findings ranges = CheckDesign(spring);
                EXPECT_FALSE(ranges.has(Finding::kDiameterRatio) ||
                             ranges.has(Finding::kSlenderness) ||
                             ranges.has(Finding::kHeightRatio));
            }
        }
    }
    EXPECT_GT(candidates, 100);
    EXPECT_GT(special, 20);
}

TEST(Selection, WhyNothingFitsNamesTheNearestValue) {
    Requirement r;
    r.bore = 20;
    r.rod = 8;
    r.points = {{false, 0.3, 50000, 0.05}};
    Selection found = Select(r, Din2093());
    ASSERT_TRUE(found.shortfall);
    EXPECT_EQ(found.shortfall->kind, Shortfall::Kind::kTooHigh);
    EXPECT_LT(found.shortfall->reached, 50000 * 0.95);
    EXPECT_GT(found.shortfall->reached, 1000);
    const std::string words = rows::ShortfallText(*found.shortfall, r);
    EXPECT_NE(words.find("在 Ø20、导杆 Ø8 的空间内，工作点 1 在 s = 0.3 mm 时的力最多能达到 "),
              std::string::npos)
        << words;
    EXPECT_NE(words.find("（要求 50000 N ± 5 %）"), std::string::npos) << words;

    r.points = {{true, 0.3, 50000, 0.05}};  // a force no spring there carries before flat
    found = Select(r, Din2093());
    ASSERT_TRUE(found.shortfall);
    EXPECT_EQ(found.shortfall->kind, Shortfall::Kind::kTooHigh);
    EXPECT_NE(rows::ShortfallText(*found.shortfall, r).find("能承受的力最多能达到"),
              std::string::npos);

    r.rod = 19;  // no room at all
    EXPECT_EQ(Select(r, Din2093()).shortfall->kind, Shortfall::Kind::kNoSpace);

    // Around the asked value, but never both points: a falling rate cannot rise this steeply.
    r.rod = 20.4;
    r.bore = 40;
    r.clearance = 0;
    r.points = {{false, 0.6, 2000, 0.05}, {false, 1.2, 5000, 0.05}};
    found = Select(r, Din2093());
    ASSERT_TRUE(found.shortfall);
    EXPECT_EQ(found.shortfall->kind, Shortfall::Kind::kNearest);
    EXPECT_NE(rows::ShortfallText(*found.shortfall, r).find("最接近的一个"), std::string::npos);
}

TEST(Selection, RequirementsThatCannotBeSearchedSayWhy) {
    using Kind = RequirementProblem::Kind;
    Requirement good;
    good.bore = 40;
    good.points = {{false, 1, 1000, 0.05}};
    ASSERT_FALSE(CheckRequirement(good));
    const std::pair<void (*)(Requirement&), RequirementProblem> cases[] = {
        {[](Requirement& r) { r.points.clear(); }, {Kind::kNoPoint}},
        {[](Requirement& r) { r.points.assign(3, r.points[0]); }, {Kind::kNoPoint}},
        {[](Requirement& r) { r.points[0].F = 0; }, {Kind::kNotPositive, 0}},
        {[](Requirement& r) { r.points[0].s = NAN; }, {Kind::kNotPositive, 0}},
        {[](Requirement& r) {
             r.points.push_back({false, 2, -1, 0.05});
         },
         {Kind::kNotPositive, 1}},
        {[](Requirement& r) { r.points[0].tolerance = 0.51; }, {Kind::kTolerance, 0}},
        {[](Requirement& r) { r.points.push_back(r.points[0]); }, {Kind::kSameTravel, 1}},
        {[](Requirement& r) { r.bore = 0; }, {Kind::kNotPositive}},
        {[](Requirement& r) { r.rod = 40; }, {Kind::kRodTooLarge}},
        {[](Requirement& r) { r.clearance = -0.1; }, {Kind::kNegativeLength}},
        {[](Requirement& r) { r.max_length = 0; }, {Kind::kNegativeLength}},
        {[](Requirement& r) { r.max_series = 0; }, {Kind::kLimit}},
        {[](Requirement& r) { r.max_parallel = kMaxSelectionCount + 1; }, {Kind::kLimit}},
        {[](Requirement& r) { r.special = kMaxSpecial + 1; }, {Kind::kSpecialCount}},
    };
    for (const auto& [edit, problem] : cases) {
        Requirement r = good;
        edit(r);
        const auto found = CheckRequirement(r);
        ASSERT_TRUE(found);
        EXPECT_EQ(*found, problem) << rows::RequirementProblemText(problem);
        EXPECT_FALSE(rows::RequirementProblemText(*found).empty());
    }
    // The edges are inside.
    Requirement edges = good;
    edges.points[0].tolerance = 0.5;
    edges.max_series = edges.max_parallel = kMaxSelectionCount;
    edges.special = 0;
    edges.clearance = 0;
    EXPECT_FALSE(CheckRequirement(edges));
}

}  // namespace
}  // namespace calc
