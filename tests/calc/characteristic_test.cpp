#include "calc/characteristic.h"

#include <gtest/gtest.h>

#include <string>

#include "calc/design_check.h"
#include "calc/spring_text.h"
#include "rows/curve_text.h"
#include "rows/findings_text.h"

namespace calc {
namespace {

using rows::AppendFindingCodes;
using rows::FindingSentence;

struct CheckCase {
    const char* name;
    SpringInputs in;
    const char* codes;
};

class DesignChecks : public testing::TestWithParam<CheckCase> {};

TEST_P(DesignChecks, FindTheCodesInTheirOrder) {
    std::string codes;
    AppendFindingCodes(CheckDesign(GetParam().in), codes);
    EXPECT_EQ(codes, GetParam().codes);
}

// A spring typed at a limit is at it, even where double arithmetic lands a hair beyond
// (D/d = 0.7 ÷ 0.4 = 1.7499999999999998, h0 = 3.15 − 2.25 = 0.8999999999999999); the smallest
// step beyond is beyond. Each band edge lies inside its band.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Limits, DesignChecks, testing::Values(
    CheckCase{"DdAtLowEdge", {0.7, 0.4, 0.035, 0.063, 0}, ""},
    CheckCase{"DdBelowLowEdge", {0.7, 0.40001, 0.035, 0.063, 0}, "D/d"},
    CheckCase{"DdAtHighEdge", {2.35, 0.94, 0.1, 0.18, 0}, ""},
    CheckCase{"DdAboveHighEdge", {2.35, 0.9399, 0.1, 0.18, 0}, "D/d"},
    CheckCase{"DtAtLowEdge", {80, 41, 5, 9, 0}, ""},
    CheckCase{"DtBelowLowEdge", {80, 41, 5.001, 9, 0}, "D/t"},
    CheckCase{"DtAtHighEdge", {2.35, 1.175, 0.05875, 0.10575, 0}, ""},
    CheckCase{"DtAboveHighEdge", {2.35, 1.175, 0.05874, 0.10575, 0}, "D/t"},
    CheckCase{"H0tAtLowEdge", {80, 41, 5, 6.7, 0}, ""},
    CheckCase{"H0tBelowLowEdge", {80, 41, 5, 6.699, 0}, "h0/t"},
    CheckCase{"H0tAtHighEdge", {60, 30, 1.9, 4.446, 0}, ""},
    CheckCase{"H0tAboveHighEdge", {60, 30, 1.9, 4.447, 0}, "h0/t"},
    CheckCase{"BeyondThreeQuarters", {40, 20.4, 2.25, 3.15, 0.6751}, "f>0.75h0"},
    CheckCase{"BeyondFlat", {40, 20.4, 2.25, 3.15, 0.9001}, "f>h0"},
    CheckCase{"Pull", {100, 50, 4, 8, -0.01}, "f<0"},
    CheckCase{"EqualDiameters", {100, 100, 4, 6.8, 1}, "D<=d"},
    CheckCase{"NoInnerDiameter", {100, 0, 4, 6.8, 1}, ""},
    CheckCase{"NoThickness", {100, 50, 0, 6.8, 1}, "t<=0"},
    CheckCase{"NoConeHeight", {100, 50, 4, 4, 1}, "H<=t"},
    CheckCase{"SixMillimetres", {100, 50, 6, 10.2, 1}, ""},
    CheckCase{"ThickerThanSix", {100, 50, 6.01, 10.2, 1}, "t>6"},
    CheckCase{"EverythingWrong", {10, 20, -1, -2, -1}, "D<=d,t<=0,H<=t,f<0"},
    CheckCase{"RatiosNeedPositiveValues", {-10, -20, 1, 3.5, 1}, "h0/t"}),
    [](const testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });
// clang-format on

// DIN 2093 series A springs whose h0 is a hair short in double arithmetic, at their test
// deflection 0.75·h0 and flat: within the design ranges, never beyond flat.
TEST(DesignChecks, DinSpringsAtTheirTestDeflectionAndFlat) {
    struct Din {
        SpringInputs at_test;
        double flat;
    };
    for (const Din& din :
         {Din{{8, 4.2, 0.4, 0.6, 0.15}, 0.2}, Din{{10, 5.2, 0.5, 0.7, 0.15}, 0.2},
          Din{{18, 9.2, 1, 1.4, 0.3}, 0.4}, Din{{35.5, 18.3, 2, 2.8, 0.6}, 0.8},
          Din{{40, 20.4, 2.25, 3.15, 0.675}, 0.9}, Din{{71, 36, 4, 5.6, 1.2}, 1.6}}) {
        std::string codes;
        AppendFindingCodes(CheckDesign(din.at_test), codes);
        EXPECT_EQ(codes, "") << din.at_test.D;
        SpringInputs flat = din.at_test;
        flat.f = din.flat;
        codes.clear();
        AppendFindingCodes(CheckDesign(flat), codes);
        EXPECT_EQ(codes, "f>0.75h0") << din.at_test.D;
    }
}

TEST(DesignChecks, SentencesNameTheQuantityAndGiveTheNumbers) {
    const auto sentence = [](Finding finding, SpringInputs in) {
        return FindingSentence(finding, {in, 0}, {});
    };
    EXPECT_EQ(sentence(Finding::kDiameterRatio, {100, 30, 4, 6.8, 1}),
              "D/d = 3.33，在 DIN 2093 系列的范围 1.75 … 2.5 之外：关系式在这里不如在标准系列中可靠"
              "（不是错误）");
    EXPECT_EQ(sentence(Finding::kBeyondThreeQuarters, {100, 50, 4, 8, 3.5}),
              "f = 3.5 mm 大于 0.75·h0 = 3 mm：实际特性偏离公式");
    // Rounded to two decimals it would look like the edge it lies beyond.
    EXPECT_TRUE(sentence(Finding::kHeightRatio, {100, 50, 4, 9.3604, 1})
                    .starts_with("h0/t = 1.3401，在 DIN 2093 系列的范围 0.34 … 1.34 之外"));
    // Lengths to 0.001 mm unless that makes them look alike: then every digit.
    EXPECT_EQ(sentence(Finding::kBeyondFlat, {40, 20.4, 2.25, 3.15, 0.9001}),
              "f = 0.9001 mm 大于 h0 = 0.9 mm：已过压平位置，单片碟簧达不到");
    EXPECT_EQ(sentence(Finding::kBeyondFlat, {40, 20.4, 2.25, 3.15, 1.23456789}),
              "f = 1.235 mm 大于 h0 = 0.9 mm：已过压平位置，单片碟簧达不到");
}

// Typing a row's f into the calculator gives exactly that row's results.
TEST(Characteristic, EachRowIsTheCalculatorAtItsShownDeflection) {
    // A blank end, even an ideographic space, is h0.
    const auto curve = ReadCurve({"100", "51", "3.5", "6.3", {}, "\xE3\x80\x80"}, 7, {});
    ASSERT_TRUE(curve.has_value());
    for (int k = 0; k <= 7; ++k) {
        const std::string f(runtime::NumberToText((6.3 - 3.5) * k / 7).view());
        const auto single = CalculateTexts({"100", "51", "3.5", "6.3", f});
        ASSERT_TRUE(single.has_value());
        std::vector<std::string> expected = {f};
        for (const auto& text : *single) {
            expected.emplace_back(text.view());
        }
        rows::CellList row;
        rows::CurveRowCells(CurveRowAt(curve, k, {}), {}, row);
        EXPECT_EQ(row.cells, expected) << k;
    }
}

}  // namespace
}  // namespace calc
