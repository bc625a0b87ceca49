#include "calc/characteristic.h"

#include <gtest/gtest.h>

#include <string>

#include "calc/design_check.h"
#include "calc/spring_text.h"

namespace calc {
namespace {

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

// Each band edge itself lies inside its band; the three bands share one comparison.
// clang-format off
INSTANTIATE_TEST_SUITE_P(BandEdges, DesignChecks, testing::Values(
    CheckCase{"DdAtLowEdge", {87.5, 50, 4, 6.8, 1}, ""},
    CheckCase{"DdBelow", {87.4, 50, 4, 6.8, 1}, "D/d"},
    CheckCase{"DtAtHighEdge", {160, 80, 4, 6.8, 1}, ""},
    CheckCase{"DtAbove", {160.1, 80, 4, 6.8, 1}, "D/t"},
    CheckCase{"H0tAbove", {100, 50, 5, 11.51, 1}, "h0/t"},
    CheckCase{"NoDeflection", {100, 50, 4, 8, 0}, ""},
    CheckCase{"Pull", {100, 50, 4, 8, -0.01}, "f<0"},
    CheckCase{"AtThreeQuartersOfH0", {100, 50, 4, 8, 3}, ""},
    CheckCase{"BeyondThreeQuarters", {100, 50, 4, 8, 3.01}, "f>0.75h0"},
    CheckCase{"Flat", {100, 50, 4, 8, 4}, "f>0.75h0"},
    CheckCase{"BeyondFlat", {100, 50, 4, 8, 4.01}, "f>h0"},
    CheckCase{"EqualDiameters", {100, 100, 4, 6.8, 1}, "D<=d"},
    CheckCase{"NoInnerDiameter", {100, 0, 4, 6.8, 1}, ""},
    CheckCase{"NoThickness", {100, 50, 0, 6.8, 1}, "t<=0"},
    CheckCase{"NoConeHeight", {100, 50, 4, 4, 1}, "H<=t"},
    CheckCase{"SixMillimetres", {100, 50, 6, 10.2, 1}, ""},
    CheckCase{"ThickerThanSix", {100, 50, 6.01, 10.2, 1}, "t>6"},
    CheckCase{"EverythingWrong", {10, 20, -1, -2, -1}, "D<=d,t<=0,H<=t,f<0"},
    CheckCase{"RatiosNeedPositiveValues", {-10, -20, 1, 3, 1}, "h0/t"}),
    [](const testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST(DesignChecks, SentencesNameTheQuantityAndGiveTheNumbers) {
    EXPECT_EQ(FindingSentence(Finding::kDiameterRatio, {100, 30, 4, 6.8, 1}),
              "D/d = 3.33，超出设计范围 1.75 … 2.5");
    EXPECT_EQ(FindingSentence(Finding::kBeyondThreeQuarters, {100, 50, 4, 8, 3.5}),
              "f = 3.5 mm 大于 0.75·h0 = 3 mm：实际特性偏离公式");
    // Rounded to two decimals it would look like the edge it lies beyond.
    EXPECT_EQ(FindingSentence(Finding::kHeightRatio, {100, 50, 4, 9.2004, 1}),
              "h0/t = 1.3001，超出设计范围 0.4 … 1.3");
}

// Typing a row's f into the calculator gives exactly that row's results.
TEST(Characteristic, EachRowIsTheCalculatorAtItsShownDeflection) {
    const auto curve = ReadCurve({{"100", "51", "3.5", "6.3"}, " "}, 7);
    ASSERT_TRUE(curve.has_value());
    for (int k = 0; k <= 7; ++k) {
        const std::string f(runtime::NumberToText((6.3 - 3.5) * k / 7).view());
        const auto single = CalculateTexts({"100", "51", "3.5", "6.3", f});
        ASSERT_TRUE(single.has_value());
        std::string expected = f;
        for (const auto& text : *single) {
            expected.append("\t").append(text.view());
        }
        std::string row;
        AppendCurveRow(CurveRowAt(curve, k, {}), {}, row);
        EXPECT_EQ(row, expected) << k;
    }
}

}  // namespace
}  // namespace calc
