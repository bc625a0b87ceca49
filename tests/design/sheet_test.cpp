// The design sheet: what the texts read as, the findings at the working points, a row without
// numbers, and the plot's axes for any range.

#include "design/sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <tuple>
#include <utility>

#include "calc/materials.h"
#include "design/data_sheet.h"
#include "design/plot_axis.h"
#include "design/sheet_text.h"
#include "runtime/number_text.h"

namespace design {
namespace {

using calc::OptionProblem;
using calc::OptionValue;

template <typename Edit>
Sheet SheetWith(const Edit& edit) {
    DesignTexts texts = DefaultTexts();
    edit(texts);
    return ComputeSheet(texts);
}

TEST(Sheet, OptionsThatCannotBeUsedLeaveNothingButWhy) {
    constexpr auto kOut = OptionProblem::Kind::kOutOfRange;
    const std::pair<std::string DesignTexts::*, std::pair<std::string, OptionProblem>> cases[] = {
        {&DesignTexts::steps, {"2.5", {kOut, OptionValue::kSteps}}},
        {&DesignTexts::steps, {"100001", {kOut, OptionValue::kSteps}}},
        {&DesignTexts::series, {"0", {kOut, OptionValue::kSeries}}},
        {&DesignTexts::parallel, {"1e999", {kOut, OptionValue::kParallel}}},
        {&DesignTexts::E, {"0", {kOut, OptionValue::kModulus}}},
        {&DesignTexts::E, {"10000001", {kOut, OptionValue::kModulus}}},
        {&DesignTexts::mu, {"0.5", {kOut, OptionValue::kPoisson}}},
        {&DesignTexts::w_R, {"-0.01", {kOut, OptionValue::kEdgeFriction}}},
        {&DesignTexts::w_M, {"0.21", {kOut, OptionValue::kSurfaceFriction}}},
    };
    for (const auto& entry : cases) {
        const auto& [field, expected] = entry;
        const Sheet sheet =
            SheetWith([&entry](DesignTexts& t) { t.*entry.first = entry.second.first; });
        ASSERT_TRUE(sheet.unusable.has_value()) << expected.first;
        EXPECT_EQ(*sheet.unusable, expected.second) << expected.first;
        EXPECT_TRUE(sheet.rows.empty() && CopyText(sheet).empty());
        EXPECT_EQ(FindingCodes(sheet), std::vector<std::string>{"options"});
    }
    // The edges themselves are inside; friction that locks the stack is not.
    EXPECT_FALSE(SheetWith([](DesignTexts& t) {
                     t.steps = "100000";
                     t.E = "1e7";
                     t.mu = "0";
                     t.w_M = "0.2";
                 }).unusable);
    const Sheet locked = SheetWith([](DesignTexts& t) {
        t.parallel = "5";
        t.w_M = "0.2";
        t.w_R = "0.2";
    });
    EXPECT_EQ(*locked.unusable,
              (OptionProblem{OptionProblem::Kind::kSelfLocking, OptionValue::kSurfaceFriction, 5}));
    EXPECT_EQ(NoTable(locked),
              "摩擦系数与并联片数 n = 5 一起使碟簧组自锁：1 − w_M·(n − 1) − w_R 不大于 0");
}

// Every face's material picker: the named material of E and μ as the design reads them, however
// the rest (here the steps) cannot be used; Rm tells the steels of one E and μ apart, and a
// supplier's own Rm keeps the first of them.
TEST(Sheet, ThePickerNamesTheMaterialOfEAndMuAsRead) {
    const std::tuple<const char*, const char*, const char*, const char*, std::optional<std::size_t>>
        cases[] = {{"", "", "", "50", 0},         {"2.06E5", "", "", "2.5", 0},
                   {"190000", "0.3", "", "0", 4}, {"150000", "", "", "", {}},
                   {"x", "", "", "", {}},         {"", "0.5", "", "", {}},
                   {"", "", "1568", "", 1},       {"206000", "0.3", "1.274e3", "", 2},
                   {"", "", "980", "2.5", 3},     {"", "", "1500", "", 0},
                   {"", "", "x", "", 0},          {"190000", "", "1568", "", 4}};
    for (const auto& [E, mu, Rm, steps, named] : cases) {
        DesignTexts texts = DefaultTexts();
        texts.E = E, texts.mu = mu, texts.Rm = Rm, texts.steps = steps;
        EXPECT_EQ(MaterialPicked(texts), named) << E << " " << mu << " " << Rm << " " << steps;
        if (named && *Rm != '\0' && *Rm != 'x' && *steps == '\0') {  // the data sheet says it
            const std::string material = SpringLines(ComputeSheet(texts)).at(1);
            EXPECT_TRUE(
                material.ends_with("（" + std::string(calc::kMaterials[*named].name) + "）"))
                << material;
        }
    }
}

TEST(Sheet, TextsReadInPartAreNamedByTheirKey) {
    const Sheet sheet = SheetWith([](DesignTexts& t) {
        t.t = "3,5";
        t.points[0].value = "1.4 mm";
    });
    EXPECT_EQ(FindingCodes(sheet), (std::vector<std::string>{"read:t", "read:point1"}));
    EXPECT_EQ(FindingSentences(sheet)[1], "工作点 1 的文本 '1.4 mm' 只读到 1.4");
}

// A refused row says why in the cell that spans its numbers; the copy keeps the batch tool's
// fields.
TEST(Sheet, ARowWithoutNumbersShowsItsReason) {
    const Sheet sheet = SheetWith([](DesignTexts& t) {
        t.t = "8";
        t.t_reduced = "9";
        t.H = "10.6";
        t.steps = "2";
    });
    const TableRow row = TableRowAt(sheet, 0);
    EXPECT_EQ(row.cells, (std::vector<std::string>{
                             "0", "ERROR 减薄后的厚度 t′ = 9 mm 不在 0 < t′ ≤ t = 8 mm 之内"}));
    EXPECT_EQ(row.span, 6);
    // The cell spans every number the row would have, a stack's and friction's too.
    const Sheet wide = SheetWith([](DesignTexts& t) {
        t.d = t.D;
        t.series = "2";
        t.w_M = "0.02";
    });
    EXPECT_EQ(TableRowAt(wide, 0).span, 12);
    EXPECT_NE(CopyText(sheet).find("\n1\t0\tERROR\t\t减薄后的厚度"), std::string::npos);
    EXPECT_EQ(NoPlot(sheet), "f = 0 mm 时：减薄后的厚度 t′ = 9 mm 不在 0 < t′ ≤ t = 8 mm 之内");
    EXPECT_EQ(NoDataSheet(sheet), NoPlot(sheet));  // no data sheet either, for the same reason
    EXPECT_EQ(FindingCodes(sheet).back(), "ERROR");
    // A small spring (h0 = 0.4 mm) has its force at flat too, and its limits marked.
    const Sheet small =
        SheetWith([](DesignTexts& t) { t.D = "18", t.d = "9.2", t.t = "1", t.H = "1.4"; });
    EXPECT_TRUE(small.flat.has_value());
    EXPECT_EQ(small.plot.front().markers.size(), 2u);
    // A spring flat as it stands (H = t) has no 0.75·h0 and h0 to mark.
    EXPECT_TRUE(SheetWith([](DesignTexts& t) { t.H = t.t; }).plot.front().markers.empty());
}

// The limits at each point, the lower point's preload under a dynamic load only, and a force out
// of reach.
TEST(Sheet, FindingsAtTheWorkingPoints) {
    const auto at = [](calc::Load load) {
        return SheetWith([load](DesignTexts& t) {
            t.points[0].value = "2.5";
            t.points[1].value = "0.2";
            t.load = load;
        });
    };
    EXPECT_EQ(FindingCodes(at(calc::Load::kStatic)), (std::vector<std::string>{"1:f>0.75h0"}));
    const Sheet sheet = at(calc::Load::kDynamic);
    EXPECT_EQ(FindingCodes(sheet), (std::vector<std::string>{"1:f>0.75h0", "2:f<0.15h0"}));
    EXPECT_EQ(FindingSentences(sheet)[0],
              "工作点 1：f = 2.5 mm 大于 0.75·h0 = 2.1 mm：实际特性偏离公式");
    EXPECT_TRUE(
        FindingSentences(sheet)[1].starts_with("工作点 2 的 f = 0.2 mm 小于 0.15·h0 = 0.42 mm"));
    ASSERT_TRUE(sheet.stroke && sheet.work);
    EXPECT_EQ(*sheet.stroke, 0.2 - 2.5);
    EXPECT_LT(*sheet.work, 0);

    const Sheet beyond = SheetWith([](DesignTexts& t) {
        t.points[0] = {PointBy::kForce, "20000"};
        t.points[1].value = "3";
    });
    EXPECT_EQ(FindingCodes(beyond), (std::vector<std::string>{"2:f>h0", "1:ERROR"}));
    EXPECT_EQ(Summary(beyond)[0], "工作点 1：力 20000 N 超过压平前最多能达到的 15843 N");
    EXPECT_FALSE(beyond.stroke.has_value());
}

// Every face prints these sections in this order; a spring that cannot be made prints none.
TEST(DataSheet, SectionsInOrderOrNoneWithoutASpring) {
    const auto headings = [](const DataSheet& sheet) {
        std::vector<std::string> out;
        for (const DataSheetSection& section : sheet.sections) {
            out.push_back(section.plot ? "plot" : section.heading);
        }
        return out;
    };
    const DataSheet fresh = DataSheetOf(SheetWith([](DesignTexts&) {}), "由 X 计算");
    EXPECT_EQ(headings(fresh),
              (std::vector<std::string>{"", "工作点", "设计检查", "plot",
                                        "特性（0、0.25、0.5、0.75、1 倍压平变形量）", ""}));
    EXPECT_EQ(fresh.sections[4].rows.size(), 5u);
    EXPECT_EQ(fresh.sections.back().lines.front().rfind("由 X 计算；", 0), 0u);
    const DataSheet no_points =
        DataSheetOf(SheetWith([](DesignTexts& texts) { texts.points = {}; }), "");
    EXPECT_TRUE(no_points.sections[1].header.empty());
    EXPECT_TRUE(
        DataSheetOf(SheetWith([](DesignTexts& texts) { texts.d = "120"; }), "").sections.empty());
}

// A design's fatigue lines judge the cycle between its working points: the last code, and the
// sentences (naming the line's source) that every face's data sheet carries; lines that cannot
// be used are said, and none of them applied.
TEST(Sheet, FatigueIsJudgedOnlyAgainstTheLinesGiven) {
    const std::string lines =
        "2\t2e6\t0\t500\t600\t800\t手册 A 图 1\n2\t1e5\t0\t700\t1000\t1200\t手册 A 图 2\n";
    struct Case {
        std::string t, H, lines, code;
        std::vector<std::string_view> said;
    };
    const Case cases[] = {
        {"3.5", "6.3", "", "", {"本程序不作判断", "“疲劳线”", "--fatigue"}},
        {"3.5", "6.3", lines, "fatigue:1e5", {"至少 1e5 次", "手册 A 图 2", "N = 2e6 次的线"}},
        {"7", "9", lines, "fatigue:?", {"没有组 3 的线"}},  // group 3: no line of its own
        {"3.5", "6.3", "2\t2e6\t0\t500\t600\t400\tA\n", "fatigue:lines", {"有误，未采用"}},
    };
    for (const Case& c : cases) {
        const Sheet sheet = SheetWith([&c](DesignTexts& t) {
            t.points = {PointText{PointBy::kDeflection, "0.5"},
                        PointText{PointBy::kDeflection, "1.4"}};
            t.t = c.t;
            t.H = c.H;
            t.fatigue_lines = c.lines;
            t.load = calc::Load::kDynamic;
        });
        const std::vector<std::string> codes = FindingCodes(sheet);
        EXPECT_EQ(codes.empty() ? "" : codes.back(), c.code);
        std::string said;
        for (const auto& section : DataSheetOf(sheet, "").sections) {
            for (const std::string& line : section.lines) {
                said += line + '\n';
            }
        }
        for (const std::string_view piece : c.said) {
            EXPECT_NE(said.find(piece), std::string::npos) << piece << " in " << said;
        }
    }
    // One point: no cycle to judge, and said so; a static load is not judged at all.
    for (const auto load : {calc::Load::kDynamic, calc::Load::kStatic}) {
        const std::vector<std::string> one = Summary(SheetWith([&lines, load](DesignTexts& t) {
            t.points = {PointText{PointBy::kDeflection, "1.4"}, PointText{}};
            t.fatigue_lines = lines;
            t.load = load;
        }));
        EXPECT_NE(one.at(1).find(load == calc::Load::kDynamic ? "要有两个工作点" : "静载不判断"),
                  std::string::npos)
            << one.at(1);
    }
}

// Over random designs: every verdict is one sentence and one code, in one order, for every face
// and --design; "尺寸在设计范围内" only when nothing is wrong; the preload rule and the fatigue
// verdict for a dynamic load alone.
TEST(Sheet, EveryVerdictIsOneSentenceAndOneCodeAndOnlyADynamicLoadIsCycled) {
    std::mt19937 random(39);
    std::uniform_real_distribution<double> unit(0, 1);
    const auto text = [](double value) { return std::string(runtime::NumberToText(value).view()); };
    int preloads = 0, verdicts = 0, static_pairs = 0;
    for (int trial = 0; trial < 600; ++trial) {
        const double t = 0.5 + 5 * unit(random), D = t * (14 + 30 * unit(random));
        const double h0 = t * (0.3 + 1.1 * unit(random));
        const double f1 = h0 * 1.1 * unit(random), f2 = h0 * 1.1 * unit(random);
        const calc::Load load = trial % 2 == 0 ? calc::Load::kStatic : calc::Load::kDynamic;
        const Sheet sheet = SheetWith([&](DesignTexts& d) {
            d.D = text(D);
            d.d = text(D / (1.7 + unit(random)));
            d.t = text(t);
            d.H = text(t + h0);
            d.series = std::to_string(1 + trial % 4);
            d.parallel = std::to_string(1 + trial % 3);
            d.points = {
                PointText{PointBy::kDeflection, trial % 5 == 1 ? "" : text(f1 * (1 + trial % 4))},
                PointText{PointBy::kDeflection, trial % 5 == 0 ? "" : text(f2 * (1 + trial % 4))}};
            d.E = trial % 7 == 0 ? "150000" : "";
            d.fatigue_lines = trial % 3 == 0 ? "1\t2e6\t0\t400\t900\t900\ta\n2\t2e6\t0\t500\t"
                                               "900\t1000\ta\n2\t1e5\t0\t800\t900\t1300\tb\n"
                                             : "";
            d.load = load;
        });
        const std::vector<Found> found = Verdicts(sheet);
        const std::vector<std::string> codes = FindingCodes(sheet);
        std::vector<std::string> sentences = FindingSentences(sheet);
        const bool clean =
            std::all_of(found.begin(), found.end(), [](const Found& f) { return f.passes; });
        ASSERT_EQ(sentences.size(), found.size() + (clean ? 1 : 0));
        EXPECT_EQ(clean, sentences.front() == "尺寸在设计范围内");
        ASSERT_EQ(codes.size(), found.size());
        for (std::size_t k = 0; k < found.size(); ++k) {
            EXPECT_EQ(codes[k], found[k].code);
            EXPECT_EQ(sentences[k + (clean ? 1 : 0)], found[k].sentence);
            EXPECT_EQ(found[k].passes, found[k].code.starts_with("fatigue:") &&
                                           found[k].code.find_first_of("0123456789") == 8);
        }
        const bool preload = std::any_of(codes.begin(), codes.end(), [](const std::string& code) {
            return code.ends_with(":f<0.15h0");
        });
        const bool fatigue = std::any_of(codes.begin(), codes.end(), [](const std::string& code) {
            return code.starts_with("fatigue:") && code != "fatigue:lines";
        });
        const bool two = sheet.points[0].row && sheet.points[1].row;
        if (load == calc::Load::kStatic) {
            EXPECT_FALSE(preload || fatigue || sheet.cycle) << trial;
            static_pairs += two ? 1 : 0;
            continue;
        }
        EXPECT_EQ(sheet.cycle.has_value(), two);
        EXPECT_TRUE(two || !preload) << trial;  // no preload without a lower point
        if (two) {
            const double lower = std::min(sheet.points[0].f, sheet.points[1].f);
            if (lower < 0.15 * h0 * (1 - 1e-9) || lower > 0.15 * h0 * (1 + 1e-9)) {
                EXPECT_EQ(preload, lower < 0.15 * h0) << trial;
            }
            EXPECT_EQ(fatigue, trial % 3 == 0) << trial;
        }
        preloads += preload ? 1 : 0;
        verdicts += fatigue ? 1 : 0;
    }
    EXPECT_GT(preloads, 30);
    EXPECT_GT(verdicts, 30);
    EXPECT_GT(static_pairs, 100);
}

TEST(Sheet, StopsWhenAsked) {
    EXPECT_FALSE(ComputeSheet(DefaultTexts(), [] { return true; }).complete);
    EXPECT_TRUE(ComputeSheet(DefaultTexts()).complete);
}

// Whatever the limits, the ticks are finite, few, in order and inside the range they widen to.
TEST(PlotAxis, AnyRangeGetsFiniteTicks) {
    constexpr double kMax = std::numeric_limits<double>::max();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const std::pair<double, double> ranges[] = {{0, 15842.8},     {-3000, 2000}, {5, 5},
                                                {0, 0},           {-kMax, kMax}, {0, kMax},
                                                {1e-300, 2e-300}, {kInf, -kInf}, {std::nan(""), 3}};
    for (const auto& [low, high] : ranges) {
        const AxisScale scale = ChooseScale(low, high, 6);
        ASSERT_GE(scale.ticks.size(), 2u) << low << " " << high;
        EXPECT_LE(scale.ticks.size(), 15u) << low << " " << high;
        EXPECT_TRUE(std::isfinite(scale.low) && std::isfinite(scale.high) &&
                    scale.low < scale.high);
        for (std::size_t i = 0; i < scale.ticks.size(); ++i) {
            EXPECT_TRUE(scale.ticks[i] >= scale.low && scale.ticks[i] <= scale.high);
            EXPECT_TRUE(i == 0 || scale.ticks[i - 1] < scale.ticks[i]);
        }
        if (std::isfinite(low) && std::isfinite(high) && low < high) {
            EXPECT_TRUE(scale.low <= low && scale.high >= high) << low << " " << high;
        }
    }
    EXPECT_EQ(ChooseScale(0, 15842.8, 6).ticks.back(), 20000);
    EXPECT_EQ(ChooseScale(0, 9.9, 6).ticks, (std::vector<double>{0, 2, 4, 6, 8, 10}));
    EXPECT_EQ(ChooseScale(-2500, 1500, 6).ticks,
              (std::vector<double>{-3000, -2000, -1000, 0, 1000, 2000}));
    EXPECT_EQ(TickLabel(0.1 + 0.2), "0.3");
    EXPECT_EQ(ValueText(1584283368.99, "N"), "1.584E+09");
    EXPECT_EQ(ValueText(1.0761308249948, "mm"), "1.076");
    EXPECT_EQ(ValueText(15842.8336899115, "N"), "15843");
    EXPECT_EQ(ValueText(617.501704752074, "MPa"), "617.5");
}

// A line of many more points than the plot has columns keeps, of each column, its first,
// lowest, highest and last point; a short line stays whole; a point off the axis stands alone.
TEST(PlotAxis, ThinnedLinesKeepTheirShape) {
    std::vector<Point> wave;
    for (int i = 0; i <= 10000; ++i) {
        wave.push_back({i * 0.01, std::sin(i * 0.37) * i});
    }
    const AxisScale x = ChooseScale(0, 100, kTicks);
    const std::vector<Point> kept = Thinned(wave, x, 50);
    EXPECT_LE(kept.size(), 4u * 51u);
    EXPECT_EQ(kept.front(), wave.front());
    EXPECT_EQ(kept.back(), wave.back());
    const auto extremes = [](const std::vector<Point>& line, int column) {
        std::pair<double, double> found{INFINITY, -INFINITY};
        for (const Point& p : line) {
            if (std::floor(p.x / 2) == column) {
                found = {std::min(found.first, p.y), std::max(found.second, p.y)};
            }
        }
        return found;
    };
    for (int column = 0; column < 50; ++column) {
        EXPECT_EQ(extremes(kept, column), extremes(wave, column)) << column;
    }
    const std::vector<Point> few(wave.begin(), wave.begin() + 200);
    EXPECT_EQ(Thinned(few, x, 50), few);
    std::vector<Point> odd = wave;
    odd[0].x = std::nan("");
    odd[5000].x = INFINITY;
    const std::vector<Point> thinned = Thinned(odd, x, 0);
    EXPECT_EQ(thinned.front().y, odd.front().y);
    EXPECT_EQ(thinned.back(), odd.back());
}

}  // namespace
}  // namespace design
