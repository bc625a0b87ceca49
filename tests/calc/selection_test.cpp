// Selection: the catalogue as built in, its published forces, a spring's own test point found
// first, special springs made as a maker makes them, and why nothing fits when nothing does.

#include "calc/selection_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

#include "calc/force_deflection.h"
#include "calc/materials.h"
#include "rows/engineering.h"
#include "rows/selection_text.h"
#include "runtime/number_text.h"

namespace calc {
namespace {

int FindingsCount(const Findings& findings) {
    int count = 0;
    for (int i = 0; i < kFindingCount; ++i) {
        count += findings.has(static_cast<Finding>(i)) ? 1 : 0;
    }
    return count;
}

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
        const std::string words = rows::CatalogueProblemText(read.error());
        EXPECT_NE(words.find(why), std::string::npos) << words;
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

// A catalogue spring's own test point in its own space: the force computed at its travel, or,
// given, the force its row publishes (which may need a hair beyond 0.75·h0).
Requirement TestPointOf(const CatalogueSpring& spring, bool published) {
    const SpringInputs& s = spring.spring.spring;
    Requirement r;
    r.bore = s.D;
    r.rod = s.d;
    r.clearance = 0;
    const double f = 0.75 * (s.H - s.t);
    r.points = {
        {published, f, published ? *spring.F_075 : Force(spring.spring, spring.flats, f), 0.05}};
    return r;
}

// A catalogue spring asked at its own test point finds it first, as one spring.
TEST(Selection, ASpringsOwnTestPointFindsItFirst) {
    const std::vector<CatalogueSpring>& springs = Din2093();
    int published = 0;
    for (std::size_t index = 0; index < springs.size(); ++index) {
        for (const bool given_force : {false, true}) {
            if (given_force && !springs[index].F_075) {
                continue;
            }
            published += given_force ? 1 : 0;
            const Selection found = Select(TestPointOf(springs[index], given_force), springs);
            ASSERT_FALSE(found.catalogue.empty()) << springs[index].Name() << given_force;
            EXPECT_EQ(*found.catalogue.front().catalogue, index) << springs[index].Name();
            EXPECT_EQ(found.catalogue.front().Springs(), 1) << springs[index].Name();
            if (given_force) {
                // A tenth more than it carries at 0.75·h0 is beyond its tolerance: not met there.
                Requirement more = TestPointOf(springs[index], true);
                more.points[0].F *= 1.1;
                for (const Candidate& c : Select(more, springs).catalogue) {
                    EXPECT_FALSE(c.catalogue == index && c.Springs() == 1) << springs[index].Name();
                }
            }
        }
    }
    EXPECT_GE(published, 60);
}

double AsShown(double value) {
    return runtime::ShownValue(value);
}

// A random requirement of every kind: one or two points, by travel or by force, static or
// dynamic, with friction, a longest length, a rod or none.
Requirement RandomRequirement(std::mt19937& random, int trial) {
    std::uniform_real_distribution<double> unit(0, 1);
    Requirement r;
    r.bore = 12 + 140 * unit(random);
    r.rod = trial % 5 == 4 ? 0 : r.bore * (0.3 + 0.25 * unit(random));
    const double s = r.bore * (0.004 + 0.04 * unit(random));
    const double F = r.bore * r.bore * (0.3 + 5 * unit(random));
    const bool force_given = trial % 4 == 1;
    r.points = {{force_given, s, F, 0.02 + 0.08 * unit(random)}};
    if (trial % 3 == 0) {
        r.points.push_back(
            {force_given, s * (0.3 + 0.4 * unit(random)), F * (0.2 + 0.5 * unit(random)), 0.1});
        r.dynamic = trial % 2 == 0;
        if (trial % 9 == 0) {
            std::swap(r.points[0], r.points[1]);  // the upper point second
        }
    }
    if (trial % 4 == 2) {
        r.max_length = s * (3 + 20 * unit(random));
    }
    if (trial % 5 == 3) {
        r.friction = Friction{0.005 + 0.025 * unit(random), 0.02 + 0.02 * unit(random)};
    }
    r.long_stacks = trial % 7 == 5;
    return r;
}

Load LoadOf(const Requirement& r) {
    return r.dynamic ? Load::kDynamic : Load::kStatic;
}

// Where one spring of a stack stands at a point, by the rules alone: a given force found along
// the characteristic, or met at 0.75·h0 when the stack's force there lies a little below it
// within its tolerance.
std::optional<double> PointDeflection(const RowInputs& spring, const RowOptions& options,
                                      double three_quarters, const LoadPoint& point) {
    if (point.force_given) {
        RowInputs limit = spring;
        limit.spring.f = three_quarters;
        const double most = CalculateRow(limit, options).results->stack->F_stack;
        if (CompareAsShown(point.F, most) > 0 &&
            CompareAsShown(most, point.F * (1 - point.tolerance)) >= 0) {
            return three_quarters;
        }
    }
    const auto f = DeflectionAtPoint(spring, options, point.force_given,
                                     point.force_given ? point.F : point.s);
    return f ? std::optional(*f) : std::nullopt;
}

// Whether a spring sets at its test deflection 0.75·(H − t), as made, with its flats.
bool SetsInItsTest(const RowInputs& spring, RowOptions options) {
    options.stack.reset();
    options.friction.reset();
    RowInputs test = spring;
    test.spring.f = AsShown(0.75 * ShowQuantities(spring.spring).h0);
    return CalculateRow(test, options).findings->has(Finding::kOverstressed);
}

// Every candidate, of the catalogue or special, is a spring the tool would sign off: it fits
// with the clearance of its own guided diameter (as shown, both sides), meets every point, and
// its rows at each point and at its test deflection draw no finding; its L0 and σOM ÷ Rm are
// those of its stack and its upper point; special ones are made as a maker makes them.
TEST(Selection, EveryCandidateIsOneTheChecksFindNothingOn) {
    std::mt19937 random(2093);
    int candidates = 0, special = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const Requirement r = RandomRequirement(random, trial);
        ASSERT_FALSE(CheckRequirement(r));
        const Selection found = Select(r, Din2093());
        ASSERT_LE(found.special.size(), 3u);
        if (trial % 10 == 0) {  // the special springs shown are the best of all there are
            Requirement more = r;
            more.special = kMaxSpecial;
            const Selection all = Select(more, Din2093());
            ASSERT_GE(all.special.size(), found.special.size());
            for (std::size_t k = 0; k < found.special.size(); ++k) {
                EXPECT_EQ(all.special[k].spring.spring.H, found.special[k].spring.spring.H);
                EXPECT_EQ(all.special[k].spring.spring.t, found.special[k].spring.spring.t);
                EXPECT_EQ(all.special[k].Springs(), found.special[k].Springs());
            }
        }
        EXPECT_EQ(found.shortfall.has_value(), found.catalogue.empty() && found.special.empty());
        for (const auto* group : {&found.catalogue, &found.special}) {
            for (std::size_t k = 0; k < group->size(); ++k) {
                const Candidate& c = (*group)[k];
                ++candidates;
                const SpringInputs& spring = c.spring.spring;
                const std::optional<double> t_reduced =
                    c.flats ? std::optional(c.spring.t_reduced) : std::nullopt;
                EXPECT_LE(AsShown(spring.D), AsShown(r.bore - GuideClearance(spring.D)));
                if (r.rod > 0) {
                    EXPECT_GE(AsShown(spring.d), AsShown(r.rod + GuideClearance(spring.d)));
                }
                EXPECT_LE(c.stack.series, r.max_series);
                EXPECT_LE(c.stack.parallel, r.max_parallel);
                std::array<std::optional<double>, 2> at;
                for (std::size_t p = 0; p < r.points.size(); ++p) {
                    at[p] = c.points[p].f;
                    RowInputs point = c.spring;
                    point.spring.f = c.points[p].f;
                    const Row row = CalculateRow(point, c.options);
                    const StackResults& stack = *row.results->stack;
                    const double reached = r.points[p].force_given ? stack.s : stack.F_stack;
                    const double wanted = r.points[p].force_given ? r.points[p].s : r.points[p].F;
                    EXPECT_LE(std::abs(reached - wanted),
                              wanted * r.points[p].tolerance * 1.000001);
                    const int allowed =
                        r.long_stacks && row.findings->has(Finding::kLongStack) ? 1 : 0;
                    EXPECT_EQ(FindingsCount(*row.findings), allowed) << trial;
                    if (r.max_length && p != static_cast<std::size_t>(c.upper)) {
                        EXPECT_LE(AsShown(stack.L), AsShown(*r.max_length));
                    }
                }
                EXPECT_TRUE(CheckWorkingPoints(spring, t_reduced, at, LoadOf(r)).empty()) << trial;
                EXPECT_EQ(c.cycle.has_value(), r.dynamic);
                // What was asked shows as asked; a force met at 0.75·h0 is the stack's there.
                rows::CellList cells;
                rows::CandidateCells(c, r, Din2093(), rows::Precision::kReader, cells);
                for (std::size_t p = 0; p < r.points.size(); ++p) {
                    const LoadPoint& asked = r.points[p];
                    const std::string& shown =
                        cells.cells.at(9 + p * (r.friction ? 5 : 3) + (asked.force_given ? 1 : 0));
                    if (c.points[p].at_limit) {
                        EXPECT_TRUE(asked.force_given);
                        EXPECT_EQ(c.points[p].f, ShowQuantities(spring, t_reduced).three_quarters);
                        const double F = c.points[p].row.results->stack->F_stack;
                        EXPECT_TRUE(F < asked.F && F >= asked.F * (1 - asked.tolerance) * 0.999999);
                    } else {
                        EXPECT_EQ(
                            shown,
                            runtime::NumberToText(asked.force_given ? asked.F : asked.s).view());
                    }
                }
                EXPECT_FALSE(SetsInItsTest(c.spring, c.options));
                const std::size_t upper = r.points.size() == 2 && at[1] > at[0] ? 1 : 0;
                EXPECT_EQ(c.upper, static_cast<int>(upper));
                EXPECT_EQ(c.utilisation,
                          c.points[upper].row.results->spring.sigma_om / *r.material.Rm);
                EXPECT_NEAR(c.L0,
                            c.stack.series *
                                (spring.H + (c.stack.parallel - 1) * t_reduced.value_or(spring.t)),
                            1e-9);
                const double volume = kPi / 4 * (spring.D * spring.D - spring.d * spring.d);
                EXPECT_NEAR(c.mass, volume * spring.t * kSteelDensity / 1000 * c.Springs(),
                            1e-9 * c.mass);
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
            }
        }
    }
    EXPECT_GT(candidates, 1400);
    EXPECT_GT(special, 300);
}

// What the catalogue offers is exactly what trying every spring in every stack by the rules
// finds: nothing a valid candidate is refused for, nothing offered that breaks a rule.
TEST(Selection, TheCatalogueSearchMissesNoStack) {
    std::mt19937 random(16983);
    int compared = 0;
    for (int trial = 0; trial < 120; ++trial) {
        Requirement r = RandomRequirement(random, trial);
        r.special = 0;
        r.max_series = 12;
        std::set<std::tuple<std::size_t, int, int>> expected, offered;
        for (std::size_t index = 0; index < Din2093().size(); ++index) {
            const CatalogueSpring& spring = Din2093()[index];
            const SpringInputs& s = spring.spring.spring;
            const std::optional<double> t_reduced =
                spring.flats ? std::optional(spring.spring.t_reduced) : std::nullopt;
            if (AsShown(s.D) > AsShown(r.bore - GuideClearance(s.D)) ||
                (r.rod > 0 && AsShown(s.d) < AsShown(r.rod + GuideClearance(s.d)))) {
                continue;
            }
            RowOptions options;
            options.flats = spring.flats;
            options.check = true;
            options.friction = r.friction;
            if (SetsInItsTest(spring.spring, options)) {
                continue;
            }
            const double three_quarters = ShowQuantities(s, t_reduced).three_quarters;
            for (int i = 1; i <= r.max_series; ++i) {
                for (int n = 1; n <= r.max_parallel; ++n) {
                    options.stack = StackLayout{i, n};
                    bool good = true;
                    std::array<std::optional<double>, 2> at;
                    std::vector<double> L;
                    for (std::size_t p = 0; p < r.points.size() && good; ++p) {
                        const LoadPoint& point = r.points[p];
                        const auto f =
                            PointDeflection(spring.spring, options, three_quarters, point);
                        if (!f) {
                            good = false;
                            break;
                        }
                        at[p] = *f;
                        RowInputs in = spring.spring;
                        in.spring.f = *f;
                        const Row row = CalculateRow(in, options);
                        const double reached =
                            point.force_given ? row.results->stack->s : row.results->stack->F_stack;
                        const double wanted = point.force_given ? point.s : point.F;
                        const int allowed =
                            r.long_stacks && row.findings->has(Finding::kLongStack) ? 1 : 0;
                        good = CompareAsShown(std::abs((reached - wanted) / wanted),
                                              point.tolerance) <= 0 &&
                               FindingsCount(*row.findings) == allowed;
                        L.push_back(row.results->stack->L);
                    }
                    if (!good || !CheckWorkingPoints(s, t_reduced, at, LoadOf(r)).empty()) {
                        continue;
                    }
                    const std::size_t lower = L.size() == 2 && *at[1] < *at[0] ? 1 : 0;
                    if (r.max_length && CompareAsShown(L[lower], *r.max_length) > 0) {
                        continue;
                    }
                    expected.emplace(index, i, n);
                }
            }
        }
        for (const Candidate& c : Select(r, Din2093()).catalogue) {
            offered.emplace(*c.catalogue, c.stack.series, c.stack.parallel);
        }
        EXPECT_EQ(offered, expected) << trial;
        compared += static_cast<int>(expected.size());
    }
    EXPECT_GT(compared, 300);
}

// A refusal's extreme is true both ways: asking for the value named (as the sentence rounds
// it, or as reached) finds a candidate, asking clearly beyond it finds none and names the same.
TEST(Selection, RefusalsAreTrueBothWays) {
    std::mt19937 random(2092);
    int reasked = 0;
    for (int trial = 0; trial < 400 && reasked < 60; ++trial) {
        Requirement r = RandomRequirement(random, trial * 4 + (trial % 2));  // one point
        r.points.resize(1);
        r.dynamic = false;
        r.points[0].F *= trial % 2 == 0 ? 40 : 0.01;
        r.points[0].s *= trial % 3 == 0 ? 1 : 0.5;
        const Selection first = Select(r, Din2093());
        if (!first.shortfall ||
            (first.shortfall->kind != Shortfall::Kind::kTooHigh &&
             first.shortfall->kind != Shortfall::Kind::kTooLow) ||
            (r.points[0].force_given && !first.shortfall->travel)) {
            continue;
        }
        ++reasked;
        const bool high = first.shortfall->kind == Shortfall::Kind::kTooHigh;
        const double named = first.shortfall->reached;
        const double said = std::stod(rows::Engineering(named, rows::Measure::kOther));
        for (const double value : {named, said}) {
            Requirement again = r;
            (again.points[0].force_given ? again.points[0].s : again.points[0].F) = value;
            const Selection found = Select(again, Din2093());
            EXPECT_FALSE(found.shortfall) << trial << ": " << value;
        }
        Requirement beyond = r;
        (beyond.points[0].force_given ? beyond.points[0].s : beyond.points[0].F) =
            named * (high ? 1.5 : 0.5);
        const Selection refused = Select(beyond, Din2093());
        ASSERT_TRUE(refused.shortfall) << trial;
        EXPECT_EQ(refused.shortfall->kind, first.shortfall->kind);
        EXPECT_EQ(refused.shortfall->reached, named);
    }
    EXPECT_GE(reasked, 40);
}

// The nearest named is the nearest there is: every tolerance widened to just beyond its misfit
// finds a candidate, narrowed to just within it finds none.
TEST(Selection, TheNearestNamedIsTheNearest) {
    std::mt19937 random(2094);
    int named = 0;
    for (int trial = 0; trial < 600 && named < 12; ++trial) {
        Requirement r = RandomRequirement(random, trial * 3);  // two points
        r.special = 0;
        for (LoadPoint& point : r.points) {
            point.tolerance = 0.01;
        }
        const Selection first = Select(r, Din2093());
        if (!first.shortfall || first.shortfall->kind != Shortfall::Kind::kNearest) {
            continue;
        }
        ++named;
        const Shortfall& why = *first.shortfall;
        const double misfit =
            std::abs(why.reached - why.required) / why.required / r.points[why.point].tolerance;
        for (const double scale : {1.02, 0.98}) {
            Requirement again = r;
            for (LoadPoint& point : again.points) {
                point.tolerance *= misfit * scale;
            }
            const Selection found = Select(again, Din2093());
            EXPECT_EQ(found.catalogue.empty(), scale < 1) << trial << " " << misfit;
        }
    }
    EXPECT_GE(named, 8);
}

TEST(Selection, WhyNothingFitsNamesTheNearestValue) {
    Requirement r;
    r.bore = 20;
    r.rod = 8;
    r.points = {{false, 0.3, 50000, 0.05}};
    Selection found = Select(r, Din2093());
    ASSERT_TRUE(found.shortfall);
    EXPECT_EQ(found.shortfall->kind, Shortfall::Kind::kTooHigh);
    const std::string words = rows::ShortfallText(*found.shortfall, r);
    EXPECT_NE(words.find("在 Ø20、导杆 Ø8 的空间内，要求 1 在 s = 0.3 mm 时的力最多能达到 "),
              std::string::npos)
        << words;
    EXPECT_NE(words.find("（应为 50000 N ± 5 %）"), std::string::npos) << words;

    r.points = {{true, 0.3, 50000, 0.05}};  // a force no spring there carries within 0.75·h0
    found = Select(r, Din2093());
    ASSERT_TRUE(found.shortfall);
    EXPECT_EQ(found.shortfall->kind, Shortfall::Kind::kTooHigh);
    EXPECT_NE(rows::ShortfallText(*found.shortfall, r).find("在 0.75·h0 以内能承受的力最多能达到"),
              std::string::npos);

    // One packet allowed, and one is enough for the travel: the extreme is still named, and
    // a stack refused for its length is not also said to need more packets than allowed.
    r.points = {{false, 0.3, 50000, 0.05}};
    r.max_series = 1;
    found = Select(r, Din2093());
    ASSERT_TRUE(found.shortfall);
    EXPECT_EQ(found.shortfall->kind, Shortfall::Kind::kTooHigh);
    r.points = {{false, 0.01, 5, 0.5}};
    r.max_length = 0.1;
    found = Select(r, Din2093());
    ASSERT_TRUE(found.shortfall);
    EXPECT_TRUE(found.shortfall->excluded & Shortfall::kLength);
    EXPECT_FALSE(found.shortfall->excluded & Shortfall::kThreeQuarters);
    r.max_series = Requirement{}.max_series;
    r.max_length.reset();

    r.rod = 19;  // no room at all
    EXPECT_EQ(Select(r, Din2093()).shortfall->kind, Shortfall::Kind::kNoSpace);

    // An 8 mm spring in an 8.2 mm bore: 8.2 − 0.2 is 7.999999999999999, shown as 8.
    r = {};
    r.bore = 8.2;
    r.points = {{false, 0.1, 70, 0.5}};
    r.special = 0;
    found = Select(r, Din2093());
    ASSERT_FALSE(found.catalogue.empty());
    EXPECT_EQ(found.catalogue.front().spring.spring.D, 8);

    // Springs fit, but none may be used: each reason that excluded one is named.
    r = {};
    r.bore = 40;
    r.rod = 20;
    r.points = {{false, 0.5, 2000, 0.05}, {false, 0.02, 100, 0.05}};
    r.dynamic = true;
    r.material.Rm = 300;
    found = Select(r, Din2093());
    ASSERT_TRUE(found.shortfall);
    EXPECT_EQ(found.shortfall->kind, Shortfall::Kind::kNoneUsable);
    EXPECT_TRUE(found.shortfall->excluded & Shortfall::kStrength);
    EXPECT_TRUE(found.shortfall->excluded & Shortfall::kPreload);
    EXPECT_NE(rows::ShortfallText(*found.shortfall, r).find("预压不到 0.15·h0"), std::string::npos);

    // A long stack is left out, said so, unless allowed: then A 22.5 in 27 × 2 (L0 81 > 3·D).
    r = {};
    r.bore = 25.3;
    r.points = {{false, 9.48, 3500, 0.05}};
    r.special = 0;
    r.max_parallel = 2;
    found = Select(r, Din2093());
    ASSERT_TRUE(found.shortfall);
    EXPECT_TRUE(found.shortfall->excluded & Shortfall::kLongStack);
    EXPECT_NE(rows::ShortfallText(*found.shortfall, r).find("比 3·D 长"), std::string::npos);
    r.long_stacks = true;
    found = Select(r, Din2093());
    ASSERT_FALSE(found.catalogue.empty());
    EXPECT_EQ(found.catalogue.front().Springs(), 54);
    EXPECT_TRUE(found.catalogue.front().findings.has(Finding::kLongStack));

    // Around the asked value, but never both points: a falling rate cannot rise this steeply.
    r = {};
    r.rod = 20.4;
    r.bore = 40;
    r.clearance = 0;
    r.points = {{false, 0.6, 2000, 0.05}, {false, 1.2, 5000, 0.05}};
    found = Select(r, Din2093());
    ASSERT_TRUE(found.shortfall);
    EXPECT_EQ(found.shortfall->kind, Shortfall::Kind::kNearest);
    EXPECT_NE(rows::ShortfallText(*found.shortfall, r).find("最接近的一个"), std::string::npos);
}

// A required life keeps the candidates whose fatigue lines give it, and nothing else; when
// none is left, the refusal says how many met all but the life, and why the lines did not.
TEST(Selection, ARequiredLifeKeepsOnlyWhatTheLinesGive) {
    const auto lines = ReadFatigueLines(
        "2\t2e6\t0\t500\t1000\t1100\tA\n2\t1e5\t0\t700\t1000\t1300\tB\n"
        "3\t2e6\t0\t900\t2000\t2200\tC\n");
    ASSERT_TRUE(lines);
    Requirement r;
    r.bore = 41;
    r.rod = 20;
    r.points = {{false, 0.4, 2000, 0.2}, {false, 1.2, 5000, 0.2}};
    r.dynamic = true;
    r.fatigue_lines = *lines;
    const Selection judged = Select(r, Din2093());  // judged, not filtered
    struct Case {
        std::optional<double> life;
        std::vector<FatigueLine> lines;
        std::size_t catalogue;  // how many of the catalogue's stay
        std::string refusal;
        int special = 3;
    };
    const Case cases[] = {
        {std::nullopt, *lines, judged.catalogue.size(), ""},
        {1e5, *lines, 1, ""},  // B 40; A 40's σO passes the 1e5 line
        {2e6, *lines, 0, ""},  // only special springs in 3 × 3 stacks hold on the 2e6 line
        {2e6, *lines, 0, "满足其余全部要求，但按所输入的疲劳线都达不到 2000000 次：", 0},
        {1e5, {lines->back()}, 0, "种没有其厚度组的线"},
        {2e6, {(*lines)[0]}, 0, "种能判断的线不满足或只满足较少的次数", 0},
        {2e6,
         {FatigueLine{2, 2e6, "2e6", 1000, 1100, 1500, 1600, "D"}},
         0,
         "种的 σu 不在线的范围内"},
    };
    for (const Case& c : cases) {
        r.life = c.life;
        r.fatigue_lines = c.lines;
        r.special = c.special;
        ASSERT_FALSE(CheckRequirement(r));
        const Selection found = Select(r, Din2093());
        EXPECT_EQ(found.catalogue.size(), c.catalogue) << c.life.value_or(0);
        for (const auto* group : {&found.catalogue, &found.special}) {
            for (const Candidate& candidate : *group) {
                ASSERT_TRUE(candidate.cycle && candidate.cycle->Judgement());
                EXPECT_TRUE(!c.life || candidate.cycle->Judgement()->HoldsFor(*c.life));
            }
        }
        if (c.refusal.empty()) {
            EXPECT_FALSE(found.special.empty() && found.catalogue.empty());
        } else {
            ASSERT_TRUE(found.shortfall);
            EXPECT_EQ(found.shortfall->kind, Shortfall::Kind::kFatigue);
            EXPECT_NE(rows::ShortfallText(*found.shortfall, r).find(c.refusal), std::string::npos)
                << rows::ShortfallText(*found.shortfall, r);
        }
    }
}

// A special spring is a new product: without the material's Rm none is designed, and the
// catalogue's springs come marked as not judged for strength; a refusal says why.
TEST(Selection, WithoutRmNoSpecialSpringIsDesigned) {
    Requirement r;
    r.bore = 41;
    r.rod = 20;
    r.points = {{false, 1.2, 5000, 0.05}};
    r.material = MaterialOf(190000, 0.31);
    ASSERT_FALSE(r.material.Rm);
    const Selection found = Select(r, Din2093());
    EXPECT_TRUE(found.special.empty());
    ASSERT_FALSE(found.catalogue.empty());
    for (const Candidate& c : found.catalogue) {
        EXPECT_TRUE(c.findings.has(Finding::kStrengthUnknown));
    }
    EXPECT_NE(rows::SpecialRefused(r).find("Rm 未知"), std::string::npos);
    r.points[0].F = 1e6;
    EXPECT_TRUE(rows::ShortfallText(*Select(r, Din2093()).shortfall, r)
                    .ends_with("。" + rows::SpecialRefused(r)));
    r.special = 0;
    EXPECT_EQ(rows::SpecialRefused(r), "");
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
        {[](Requirement& r) {
             r.points.push_back({false, 1, 2000, 0.05});
         },
         {Kind::kSameTravel, 1}},
        {[](Requirement& r) { r.dynamic = true; }, {Kind::kDynamicOnePoint}},
        {[](Requirement& r) { r.bore = 0; }, {Kind::kNotPositive}},
        {[](Requirement& r) { r.rod = 40; }, {Kind::kRodTooLarge}},
        {[](Requirement& r) { r.clearance = -0.1; }, {Kind::kNegativeLength}},
        {[](Requirement& r) { r.max_length = 0; }, {Kind::kNegativeLength}},
        {[](Requirement& r) { r.max_series = 0; }, {Kind::kLimit}},
        {[](Requirement& r) { r.max_parallel = kMaxSelectionCount + 1; }, {Kind::kLimit}},
        {[](Requirement& r) { r.special = kMaxSpecial + 1; }, {Kind::kSpecialCount}},
        // A life: positive, for a dynamic load, judged by lines.
        {[](Requirement& r) { r.life = 1e6; }, {Kind::kLifeNotDynamic}},
        {[](Requirement& r) {
             r.points.push_back({false, 2, 2000, 0.05});
             r.dynamic = true;
             r.life = 1e6;
         },
         {Kind::kLifeNoLines}},
        {[](Requirement& r) {
             r.points.push_back({false, 2, 2000, 0.05});
             r.dynamic = true;
             r.life = 1e7;
             r.fatigue_lines = {FatigueLine{2, 2e6, "2e6", 0, 500, 600, 800, "A"}};
         },
         {Kind::kLifeBeyondLines}},
        {[](Requirement& r) { r.life = 0; }, {Kind::kLife}},
        {[](Requirement& r) { r.life = INFINITY; }, {Kind::kLife}},
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
